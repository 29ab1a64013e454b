/* Start-up of a window program: the time from its exec to the mapping of its first top-level
 * window, and its peak resident memory (VmHWM) once it has drawn and gone idle. Watching the
 * X server's map notification is exact where polling for the window would add its own period.
 *
 *   mesure_demarrage PAUSE_MS PROGRAM [ARGS...]
 * Prints "MILLISECONDS KILOBYTES", then ends the program (SIGTERM). Display from $DISPLAY.
 */
#define _POSIX_C_SOURCE 200809L
#include <X11/Xlib.h>
#include <poll.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

static double maintenant_ms(void) {
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

/* Waits for a top-level window to be mapped; 0 on success, -1 after the deadline. */
static int attend_fenetre(Display* ecran, double fin) {
    for (;;) {
        while (XPending(ecran)) {
            XEvent ev;
            XNextEvent(ecran, &ev);
            if (ev.type == MapNotify && !ev.xmap.override_redirect) return 0;
        }
        double reste = fin - maintenant_ms();
        if (reste <= 0) return -1;
        struct pollfd p = {ConnectionNumber(ecran), POLLIN, 0};
        poll(&p, 1, (int)reste + 1);
    }
}

static long vmhwm_ko(pid_t pid) {
    char chemin[64];
    snprintf(chemin, sizeof chemin, "/proc/%d/status", (int)pid);
    FILE* f = fopen(chemin, "r");
    if (f == NULL) return -1;
    char ligne[256];
    long ko = -1;
    while (fgets(ligne, sizeof ligne, f) != NULL) {
        if (strncmp(ligne, "VmHWM:", 6) == 0) ko = strtol(ligne + 6, NULL, 10);
    }
    fclose(f);
    return ko;
}

int main(int argc, char** argv) {
    if (argc < 3) {
        fprintf(stderr, "usage: mesure_demarrage PAUSE_MS PROGRAM [ARGS...]\n");
        return 2;
    }
    int pause_ms = atoi(argv[1]);
    Display* ecran = XOpenDisplay(NULL);
    if (ecran == NULL) {
        fprintf(stderr, "mesure_demarrage: cannot open the display\n");
        return 1;
    }
    XSelectInput(ecran, DefaultRootWindow(ecran), SubstructureNotifyMask);
    XSync(ecran, False);

    double debut = maintenant_ms();
    pid_t pid = fork();
    if (pid == 0) {
        close(ConnectionNumber(ecran));
        execvp(argv[2], argv + 2);
        _exit(127);
    }
    if (pid < 0) {
        perror("mesure_demarrage: fork");
        return 1;
    }
    int ok = attend_fenetre(ecran, debut + 10000) == 0;
    double ms = maintenant_ms() - debut;
    if (ok) {
        struct timespec pause = {pause_ms / 1000, (pause_ms % 1000) * 1000000L};
        nanosleep(&pause, NULL);
    }
    long ko = vmhwm_ko(pid);
    kill(pid, SIGTERM);
    waitpid(pid, NULL, 0);
    XCloseDisplay(ecran);
    if (!ok) {
        fprintf(stderr, "mesure_demarrage: no window within 10 s\n");
        return 1;
    }
    printf("%.1f %ld\n", ms, ko);
    return 0;
}
