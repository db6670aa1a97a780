#pragma once

#include <QAction>
#include <QObject>

#include <utility>

#include "app/main_window.h"
#include "app/menu_commands.h"
#include "platform/event_boundary.h"

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
