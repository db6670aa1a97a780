#include "platform/runtime_error.h"

namespace {

QString describe(int code) {
  switch (code) {
    case error_not_numeric:
      return QStringLiteral("字段不是数值型数据");
    case error_not_text:
      return QStringLiteral("字段不是文本型数据");
    default:
      return QStringLiteral("未知错误");
  }
}

}  // namespace

RuntimeError::RuntimeError(int code)
    : std::runtime_error(describe(code).toStdString()), code_(code) {}

QString RuntimeError::message() const {
  return QStringLiteral("运行时错误 %1：%2").arg(code_).arg(describe(code_));
}
