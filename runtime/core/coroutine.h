#pragma once

// C++20 coroutines under one name. GCC 12 has them in <coroutine>; Clang 14 with the libc++
// of the browser's toolchain only in <experimental/coroutine>.
#if __has_include(<coroutine>)
#include <coroutine>
namespace rt::co {
using std::coroutine_handle;
using std::suspend_always;
} // namespace rt::co
#else
#include <experimental/coroutine>
namespace rt::co {
using std::experimental::coroutine_handle;
using std::experimental::suspend_always;
} // namespace rt::co
#endif
