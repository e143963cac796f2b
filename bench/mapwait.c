/* mapwait: starts a program and reports how long its first top-level window (at least MIN x MIN pixels)
 * took to be mapped on the X display, then exits and leaves the program running. The clock starts just
 * before the fork.
 *
 *   mapwait TIMEOUT_S MIN LOGFILE PROGRAM [ARGS...]
 *     prints "PID MS WxH WINDOW T0_NS" (T0_NS on CLOCK_MONOTONIC, as the traced game writes its times),
 *     or "PID TIMEOUT"
 *   mapwait --now
 *     prints the time on CLOCK_MONOTONIC in ns, for scripts that have no such clock */
#include <X11/Xlib.h>

#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/select.h>
#include <time.h>
#include <unistd.h>

static long long now_ns(void)
{
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return (long long)t.tv_sec * 1000000000LL + t.tv_nsec;
}

static int ignore_x_error(Display *display, XErrorEvent *error)
{
    (void)display;
    (void)error;
    return 0;
}

int main(int argc, char **argv)
{
    if (argc == 2 && strcmp(argv[1], "--now") == 0) {
        printf("%lld\n", now_ns());
        return 0;
    }
    if (argc < 5) {
        fprintf(stderr, "usage: mapwait TIMEOUT_S MIN LOGFILE PROGRAM [ARGS...]\n");
        return 2;
    }
    const long long timeout = (long long)(atof(argv[1]) * 1e9);
    const int min = atoi(argv[2]);
    Display *display = XOpenDisplay(NULL);
    if (!display) {
        fprintf(stderr, "mapwait: no display\n");
        return 2;
    }
    /* A window that goes away between its map and the look at its size is no error worth dying of. */
    XSetErrorHandler(ignore_x_error);
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, False);
    const long long t0 = now_ns();
    const pid_t pid = fork();
    if (pid == 0) {
        setsid();
        const int log = open(argv[3], O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (log >= 0) {
            dup2(log, 1);
            dup2(log, 2);
            close(log);
        }
        close(ConnectionNumber(display));
        execvp(argv[4], argv + 4);
        _exit(127);
    }
    const int fd = ConnectionNumber(display);
    for (;;) {
        while (XPending(display)) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type != MapNotify)
                continue;
            const long long mapped = now_ns();
            XWindowAttributes attributes;
            if (XGetWindowAttributes(display, event.xmap.window, &attributes) && attributes.width >= min &&
                attributes.height >= min) {
                printf("%d %.1f %dx%d 0x%lx %lld\n", (int)pid, (mapped - t0) / 1e6, attributes.width,
                       attributes.height, (unsigned long)event.xmap.window, t0);
                return 0;
            }
        }
        const long long left = timeout - (now_ns() - t0);
        if (left <= 0) {
            printf("%d TIMEOUT\n", (int)pid);
            return 1;
        }
        fd_set readable;
        FD_ZERO(&readable);
        FD_SET(fd, &readable);
        struct timeval wait = {(time_t)(left / 1000000000LL), (suseconds_t)(left % 1000000000LL / 1000)};
        select(fd + 1, &readable, NULL, NULL, &wait);
    }
}
