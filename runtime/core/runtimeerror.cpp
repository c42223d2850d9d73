#include "runtime/core/runtimeerror.h"

namespace rt {

namespace {

std::string baseText(ErrorCode code) {
    switch (code) {
    case ErrorCode::InvalidCall:
        return "プロシージャの呼び出しまたは引数が不正です。";
    case ErrorCode::Overflow:
        return "数値が範囲を超えました。";
    case ErrorCode::SubscriptOutOfRange:
        return "コントロール配列にその要素はありません。";
    case ErrorCode::InvalidFloat:
        return "浮動小数点演算が不正です。";
    case ErrorCode::AlreadyLoaded:
        return "その要素は既に読み込まれています。";
    }
    return "実行時エラー";
}

} // namespace

RuntimeError::RuntimeError(ErrorCode code, const std::string &detail)
    : code_(code), description_(detail.empty() ? baseText(code) : baseText(code) + ' ' + detail) {}

std::string RuntimeError::report() const {
    return std::string(ErrorTitle) + " '" + std::to_string(number()) + "': " + description_;
}

void raise(ErrorCode code, const std::string &detail) {
    throw RuntimeError(code, detail);
}

} // namespace rt
