#include "windows/about_window.h"

#include "platform/controls/hyperlink.h"
#include "platform/program_dir.h"
#include "platform/windows.h"
#include "ui_about_window.h"

namespace {

// The links' colours: normal, visited, under the mouse.
constexpr Colorref link_normal = 0x00FF0000;
constexpr Colorref link_visited = 0x00000080;
constexpr Colorref link_hover = 0x00C56A31;

}  // namespace

AboutWindow::AboutWindow(QWidget* parent)
    : QDialog(parent, fixed_dialog_frame), ui(std::make_unique<Ui::AboutWindow>()) {
  ui->setupUi(this);
  setFixedSize(size());
  centre_on_screen(this);
  标签1 = ui->标签1;
  标签4 = ui->标签4;
  超级链接框1 = ui->超级链接框1;
  超级链接框2 = ui->超级链接框2;
  // The program has no web site: both links open pages that ship with it.
  超级链接框1->set_address(program_path(QStringLiteral("help/about.html")));
  超级链接框2->set_address(program_path(QStringLiteral("help/help.html")));
  for (Hyperlink* link : {超级链接框1, 超级链接框2})
    link->set_colours(link_normal, link_visited, link_hover);
}

AboutWindow::~AboutWindow() = default;
