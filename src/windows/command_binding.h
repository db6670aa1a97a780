#pragma once

#include <QAction>
#include <QObject>

#include <functional>
#include <utility>

#include "platform/event_boundary.h"
#include "windows/main_window.h"
#include "windows/menu_commands.h"

// Connects a signal to a handler that runs behind the event boundary; the signal's arguments are
// not the handler's. The connection ends with the context.
template <class Sender, class Signal, class Handler>
void bind_event(Sender* sender, Signal signal, QObject* context, Handler handler) {
  QObject::connect(sender, signal, context, [run = guarded(std::move(handler))] { run(); });
}

// A menu item of the main window runs its handler; the item's checked argument is dropped.
template <class Handler>
void bind_command(MainWindow& window, MenuCommand command, Handler handler) {
  bind_event(window.action(command), &QAction::triggered, &window, std::move(handler));
}

// A handler whose answer the event waits for (a close request, the end of a title edit). A
// run-time error is reported and answers false, so nothing goes ahead on a half-run handler.
template <class Handler>
std::function<bool()> guarded_answer(Handler handler) {
  return [handler = std::move(handler)] {
    bool answer = false;
    guarded([&answer, &handler] { answer = handler(); })();
    return answer;
  };
}
