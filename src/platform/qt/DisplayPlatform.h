#pragma once

// Which of Qt's window-system plugins the program asks for, decided before the application
// object exists.
class DisplayPlatform {
public:
    // Until the program has a Wayland path of its own it needs X11: the strip places itself at
    // the bottom of the screen and stays above other windows through the window manager, and
    // the hot keys and the attachment to applications read the X server. On a Wayland session
    // Qt would pick its Wayland plugin where it is installed, so whenever an X display is
    // reachable (XWayland) this asks for the X11 plugin, unless the user chose one.
    static void preferX11();
};
