/* Asks a window to close as a window manager's close box does: a WM_DELETE_WINDOW client
 * message. Destroying the window (xdotool windowclose) would bypass the program's own
 * handling of the request, which is what the tests look at.
 *
 *   demande_fermeture WINDOW_ID     (decimal or 0x hexadecimal; display from $DISPLAY)
 */
#include <X11/Xlib.h>
#include <stdio.h>
#include <stdlib.h>

int main(int argc, char** argv) {
    if (argc != 2) {
        fprintf(stderr, "usage: demande_fermeture WINDOW_ID\n");
        return 2;
    }
    char* fin = NULL;
    unsigned long fenetre = strtoul(argv[1], &fin, 0);
    if (fin == argv[1] || *fin != '\0' || fenetre == 0) {
        fprintf(stderr, "demande_fermeture: bad window id '%s'\n", argv[1]);
        return 2;
    }
    Display* ecran = XOpenDisplay(NULL);
    if (ecran == NULL) {
        fprintf(stderr, "demande_fermeture: cannot open the display\n");
        return 1;
    }
    XEvent ev = {0};
    ev.xclient.type = ClientMessage;
    ev.xclient.window = (Window)fenetre;
    ev.xclient.message_type = XInternAtom(ecran, "WM_PROTOCOLS", False);
    ev.xclient.format = 32;
    ev.xclient.data.l[0] = (long)XInternAtom(ecran, "WM_DELETE_WINDOW", False);
    ev.xclient.data.l[1] = CurrentTime;
    Status ok = XSendEvent(ecran, (Window)fenetre, False, NoEventMask, &ev);
    XSync(ecran, False);
    XCloseDisplay(ecran);
    return ok ? 0 : 1;
}
