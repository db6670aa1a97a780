#include "platform/tool_window.h"

#include <QGuiApplication>
#include <QWidget>

#include <xcb/xcb.h>

#include <array>
#include <cstdlib>

namespace {

xcb_atom_t atom(xcb_connection_t* connection, const char* name) {
  const xcb_intern_atom_cookie_t cookie =
      xcb_intern_atom(connection, 0, static_cast<uint16_t>(qstrlen(name)), name);
  xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, cookie, nullptr);
  const xcb_atom_t found = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
  std::free(reply);
  return found;
}

// Qt gives a tool window no task bar hint of its own. It keeps states found on a window it maps,
// so the two are put there before the first show.
void skip_taskbar_and_pager(QWidget* window) {
  // Other platforms (the offscreen one of the tests) may answer for X11 without a connection.
  if (QGuiApplication::platformName() != QLatin1String("xcb"))
    return;
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
  if (connection == nullptr)
    return;
  const xcb_atom_t state = atom(connection, "_NET_WM_STATE");
  const std::array<xcb_atom_t, 2> skip = {atom(connection, "_NET_WM_STATE_SKIP_TASKBAR"),
                                          atom(connection, "_NET_WM_STATE_SKIP_PAGER")};
  if (state == XCB_ATOM_NONE || skip[0] == XCB_ATOM_NONE || skip[1] == XCB_ATOM_NONE)
    return;
  xcb_change_property(connection, XCB_PROP_MODE_APPEND, static_cast<xcb_window_t>(window->winId()),
                      state, XCB_ATOM_ATOM, 32, skip.size(), skip.data());
  xcb_flush(connection);
}

}  // namespace

void make_floating_tool_window(QWidget* window) {
  window->setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
  skip_taskbar_and_pager(window);
}
