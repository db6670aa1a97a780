#include "windows/program_icon.h"

#include "platform/svg_picture.h"

QIcon program_icon() {
  return svg_picture(QStringLiteral(":/icon/wrenfold.svg"), {16, 32, 48, 64, 72, 96, 128});
}
