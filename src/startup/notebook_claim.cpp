#include "startup/notebook_claim.h"

#include "platform/single_program.h"
#include "platform/ui_seam.h"
#include "platform/windows.h"

std::optional<int> claim_notebook(SingleProgram& single_program, int wait_ms) {
  switch (single_program.start(wait_ms)) {
    case SingleProgram::Start::run:
      return std::nullopt;
    case SingleProgram::Start::joined:
      return 0;
    case SingleProgram::Start::gave_up:
      break;
  }
  show_message_box(QStringLiteral("数据库正被另一个程序使用 它没有应答 请稍后再试"), buttons_ok,
                   QString());
  return 1;
}
