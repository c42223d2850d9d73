#include "runtime/runtimeerror.h"

namespace rt {

namespace {

QString baseText(ErrorCode code) {
    switch (code) {
    case ErrorCode::InvalidCall:
        return QStringLiteral("プロシージャの呼び出しまたは引数が不正です。");
    case ErrorCode::Overflow:
        return QStringLiteral("数値が範囲を超えました。");
    case ErrorCode::SubscriptOutOfRange:
        return QStringLiteral("コントロール配列にその要素はありません。");
    case ErrorCode::DivisionByZero:
        return QStringLiteral("0 で割りました。");
    case ErrorCode::InvalidFloat:
        return QStringLiteral("浮動小数点演算が不正です。");
    case ErrorCode::AlreadyLoaded:
        return QStringLiteral("その要素は既に読み込まれています。");
    }
    return QStringLiteral("実行時エラー");
}

} // namespace

RuntimeError::RuntimeError(ErrorCode code, const QString &detail)
    : code_(code),
      description_(detail.isEmpty() ? baseText(code) : baseText(code) + QLatin1Char(' ') + detail),
      what_(description_.toUtf8()) {}

void raise(ErrorCode code, const QString &detail) {
    throw RuntimeError(code, detail);
}

} // namespace rt
