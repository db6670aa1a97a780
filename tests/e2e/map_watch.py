#!/usr/bin/python3
"""Prints "map NAME" for every top-level window that the X server maps, as it happens.

Watches the root window's children and every window created on it, so a window is seen also when
it is mapped for a moment only, or inside a window manager's frame. A window whose name is set
only after it was mapped is printed again under that name. Runs until killed.
"""
import sys

from Xlib import X, display, error

d = display.Display()
# A window may be gone before it is looked at: that is no error here.
d.set_error_handler(lambda *args: None)
root = d.screen().root
NET_WM_NAME = d.intern_atom('_NET_WM_NAME')
UTF8_STRING = d.intern_atom('UTF8_STRING')
WM_NAME = d.intern_atom('WM_NAME')
mapped = set()


def name_of(window):
    try:
        prop = window.get_full_property(NET_WM_NAME, UTF8_STRING)
        if prop and prop.value:
            return prop.value.decode('utf-8', 'replace')
        prop = window.get_wm_name()
        return prop if isinstance(prop, str) else (prop or b'').decode('latin-1')
    except error.XError:
        return ''


def report(window):
    name = name_of(window)
    if name:
        print('map', name, flush=True)


def watch(window):
    try:
        window.change_attributes(event_mask=X.StructureNotifyMask | X.PropertyChangeMask)
        # It may have been mapped before the mask took effect.
        if window.get_attributes().map_state != X.IsUnmapped:
            mapped.add(window.id)
            report(window)
    except error.XError:
        pass


root.change_attributes(event_mask=X.SubstructureNotifyMask)
for child in root.query_tree().children:
    watch(child)
print('watching', flush=True)
while True:
    event = d.next_event()
    if event.type == X.CreateNotify:
        watch(event.window)
    elif event.type == X.MapNotify:
        mapped.add(event.window.id)
        report(event.window)
    elif event.type == X.UnmapNotify:
        mapped.discard(event.window.id)
    elif event.type == X.PropertyNotify and event.atom in (NET_WM_NAME, WM_NAME):
        if event.window.id in mapped:
            report(event.window)
