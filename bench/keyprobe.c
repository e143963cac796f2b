/* keyprobe: catches moles in the traced game and times each catch from the key release to the moment the
 * X server holds the caught picture. It reads the game's trace as it grows (see TracedGame.cpp), types
 * the key of each mole that rises, with XTest, once the mole stands high enough to be caught, and watches
 * the main window with the Damage extension.
 *
 *   keyprobe WINDOW TRACE_FILE CATCHES TIMEOUT_S
 *
 * For every catch it prints
 *   catch <hole> <key> <arrived_ms> <frame_ms> <shown_ms>
 * all counted from the release it sent: when the release reached the program, when the frame that draws
 * the caught mole ended, and when the first damage of the window inside that mole's column came back. */
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/Xdamage.h>
#include <X11/keysym.h>

#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/select.h>
#include <time.h>
#include <unistd.h>

enum {
    MAX_EVENTS = 4096,
    LINE_MAX_BYTES = 256,
};

/* A rising mole can be caught once more than two of its steps stand out of the hole; at one step a frame
 * (just over 30 ms) that is after about 100 ms. Waiting longer keeps clear of that edge. The rise is seen
 * at the end of a frame: a random part of a frame period more keeps the key from landing always at the
 * same point between two frames. */
static const long long KEY_DELAY_NS = 300000000LL;
static const int JITTER_MS = 32;
/* How long the key is held, as a quick typist would. */
static const long long HOLD_NS = 40000000LL;
static const long long POLL_NS = 2000000LL;

struct Catch {
    int hole;
    char key;
    long long frame_ns;
    int x, y, w, h;
};

struct Damage {
    long long ns;
    int x, y, w, h;
};

struct Release {
    long long sent_ns;
    char key;
};

static struct Catch catches[MAX_EVENTS];
static int catch_count;
static struct Damage damages[MAX_EVENTS];
static int damage_count;
static struct Release releases[MAX_EVENTS];
static int release_count;
static long long arrivals[MAX_EVENTS];
static int arrival_count;

static long long now_ns(void)
{
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return (long long)t.tv_sec * 1000000000LL + t.tv_nsec;
}

/* Keys the probe can type on the server's default (US) keymap without a modifier. */
static KeySym keysym_for(char key)
{
    if (key >= 'A' && key <= 'Z')
        return XK_a + (key - 'A');
    if (key >= 'a' && key <= 'z')
        return XK_a + (key - 'a');
    if (key >= '0' && key <= '9')
        return XK_0 + (key - '0');
    switch (key) {
    case ';': return XK_semicolon;
    case ']': return XK_bracketright;
    case '[': return XK_bracketleft;
    case ',': return XK_comma;
    case '.': return XK_period;
    case '/': return XK_slash;
    default: return NoSymbol;
    }
}

/* The moles waiting for their key, oldest first. */
struct Pending {
    long long due_ns;
    char key;
};
static struct Pending pending[64];
static int pending_count;

static void on_trace_line(const char *line)
{
    long long ns;
    int hole;
    char key;
    struct Catch c;
    if (sscanf(line, "R %lld %d %c", &ns, &hole, &key) == 3) {
        if (keysym_for(key) != NoSymbol && pending_count < 64)
            pending[pending_count++] = (struct Pending){ns + KEY_DELAY_NS + (rand() % JITTER_MS) * 1000000LL, key};
    } else if (sscanf(line, "K %lld", &ns) == 1) {
        if (arrival_count < MAX_EVENTS)
            arrivals[arrival_count++] = ns;
    } else if (sscanf(line, "C %lld %d %d %d %d %d", &c.frame_ns, &c.hole, &c.x, &c.y, &c.w, &c.h) == 6) {
        c.key = '?';
        if (catch_count < MAX_EVENTS)
            catches[catch_count++] = c;
    }
}

/* Reads whatever the game has appended since the last call, line by line. */
static void read_trace(int fd)
{
    static char buffer[LINE_MAX_BYTES * 16];
    static size_t used;
    for (;;) {
        const ssize_t got = read(fd, buffer + used, sizeof buffer - used - 1);
        if (got <= 0)
            return;
        used += (size_t)got;
        buffer[used] = '\0';
        char *start = buffer;
        char *end;
        while ((end = strchr(start, '\n')) != NULL) {
            *end = '\0';
            on_trace_line(start);
            start = end + 1;
        }
        used = (size_t)(buffer + used - start);
        memmove(buffer, start, used);
    }
}

static int intersects(const struct Damage *d, const struct Catch *c)
{
    return d->x < c->x + c->w && c->x < d->x + d->w && d->y < c->y + c->h && c->y < d->y + d->h;
}

static int compare_ll(const void *a, const void *b)
{
    const long long x = *(const long long *)a, y = *(const long long *)b;
    return (x > y) - (x < y);
}

int main(int argc, char **argv)
{
    if (argc < 5) {
        fprintf(stderr, "usage: keyprobe WINDOW TRACE_FILE CATCHES TIMEOUT_S\n");
        return 2;
    }
    const Window window = (Window)strtoul(argv[1], NULL, 0);
    const int trace = open(argv[2], O_RDONLY);
    const int wanted = atoi(argv[3]);
    const long long deadline = now_ns() + (long long)(atof(argv[4]) * 1e9);
    Display *display = XOpenDisplay(NULL);
    int damage_event, damage_error, major, minor, xtest_event, xtest_error;
    if (!display || trace < 0 || !XDamageQueryExtension(display, &damage_event, &damage_error) ||
        !XTestQueryExtension(display, &xtest_event, &xtest_error, &major, &minor)) {
        fprintf(stderr, "keyprobe: needs a display with XTest and Damage, and the trace file\n");
        return 2;
    }
    srand((unsigned)getpid());
    XDamageCreate(display, window, XDamageReportRawRectangles);
    XSetInputFocus(display, window, RevertToParent, CurrentTime);
    XSync(display, False);

    long long release_due = 0;
    KeyCode held = 0;
    char held_key = 0;
    while (now_ns() < deadline) {
        read_trace(trace);
        while (XPending(display)) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == damage_event + XDamageNotify && damage_count < MAX_EVENTS) {
                const XDamageNotifyEvent *notify = (const XDamageNotifyEvent *)&event;
                damages[damage_count++] = (struct Damage){now_ns(), notify->area.x, notify->area.y,
                                                          notify->area.width, notify->area.height};
            }
        }
        const long long now = now_ns();
        if (held && now >= release_due) {
            XTestFakeKeyEvent(display, held, False, CurrentTime);
            XFlush(display);
            if (release_count < MAX_EVENTS)
                releases[release_count++] = (struct Release){now_ns(), held_key};
            held = 0;
        } else if (!held && pending_count > 0 && now >= pending[0].due_ns) {
            held_key = pending[0].key;
            memmove(pending, pending + 1, sizeof pending[0] * (size_t)--pending_count);
            held = XKeysymToKeycode(display, keysym_for(held_key));
            if (held) {
                XTestFakeKeyEvent(display, held, True, CurrentTime);
                XFlush(display);
                release_due = now_ns() + HOLD_NS;
            }
        }
        /* The last catch needs its damage too: stop a little after it. */
        if (catch_count >= wanted && damage_count > 0 && damages[damage_count - 1].ns > catches[wanted - 1].frame_ns)
            break;
        fd_set readable;
        FD_ZERO(&readable);
        FD_SET(ConnectionNumber(display), &readable);
        struct timeval wait = {0, POLL_NS / 1000};
        select(ConnectionNumber(display) + 1, &readable, NULL, NULL, &wait);
    }

    static long long arrived[MAX_EVENTS], framed[MAX_EVENTS], shown[MAX_EVENTS];
    int matched = 0;
    for (int i = 0; i < catch_count && i < wanted; ++i) {
        const struct Catch *c = &catches[i];
        /* The catch was made by the last release that reached the program before its frame ended. */
        long long arrival = -1;
        for (int k = 0; k < arrival_count && arrivals[k] <= c->frame_ns; ++k)
            arrival = arrivals[k];
        const struct Release *release = NULL;
        for (int r = 0; r < release_count && releases[r].sent_ns <= arrival; ++r)
            release = &releases[r];
        const struct Damage *damage = NULL;
        for (int d = 0; d < damage_count && !damage; ++d) {
            if (damages[d].ns >= c->frame_ns && intersects(&damages[d], c))
                damage = &damages[d];
        }
        if (arrival < 0 || !release || !damage)
            continue;
        arrived[matched] = arrival - release->sent_ns;
        framed[matched] = c->frame_ns - release->sent_ns;
        shown[matched] = damage->ns - release->sent_ns;
        printf("catch %d %c %.2f %.2f %.2f\n", c->hole, release->key, arrived[matched] / 1e6, framed[matched] / 1e6,
               shown[matched] / 1e6);
        ++matched;
    }
    if (matched == 0) {
        fprintf(stderr, "keyprobe: no catch was timed (%d catches, %d releases, %d damages)\n", catch_count,
                release_count, damage_count);
        return 1;
    }
    qsort(arrived, (size_t)matched, sizeof arrived[0], compare_ll);
    qsort(framed, (size_t)matched, sizeof framed[0], compare_ll);
    qsort(shown, (size_t)matched, sizeof shown[0], compare_ll);
    const int p90 = (matched * 9) / 10 < matched ? (matched * 9) / 10 : matched - 1;
    printf("summary %d %.2f %.2f %.2f %.2f %.2f\n", matched, arrived[matched / 2] / 1e6, framed[matched / 2] / 1e6,
           shown[matched / 2] / 1e6, shown[p90] / 1e6, shown[matched - 1] / 1e6);
    return 0;
}
