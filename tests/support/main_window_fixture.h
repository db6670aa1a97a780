#pragma once

#include <QString>

#include <functional>
#include <memory>

#include "support/program_dir_fixture.h"
#include "windows/menu_commands.h"

class MainWindow;

// A temporary program directory with the main window started in it as the program starts it:
// created, the start-up chain run, then shown. The actions act as a user would.
class MainWindowFixture : public ProgramDirFixture {
 protected:
  void TearDown() override;

  // before_chain runs on the created window before the start-up chain.
  MainWindow& start_main_window(const std::function<void(MainWindow&)>& before_chain = {});
  MainWindow& window() const;

  // Resizes the window so that its client area (below the menu bar) has this size.
  void resize_client_area(int width, int height);

  void choose_menu(MenuCommand command);
  void click_toolbar_button(int index);
  void click_toolbar_arrow(int index);
  // Opens the category selector's drop-down and chooses the item.
  void choose_category(int index);
  void click_list_row(int row);
  void type_into_editor(const QString& text);

 private:
  std::unique_ptr<MainWindow> window_;
};
