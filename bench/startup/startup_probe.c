/* Starts a program and times how long its top-level window takes to appear on the X display.
 *
 *   startup_probe [-r RSS_DELAY_MS] [-t TIMEOUT_MS] PROGRAM [ARG...]
 *
 * Prints one line:  map_ms=M paint_ms=P cpu_map_ms=C cpu_paint_ms=D rss_kb=R rss_anon_kb=A
 *   map_ms    from just before fork() until the program's window is viewable: the window whose
 *             _NET_WM_PID is the child's, or a descendant's when PROGRAM is a wrapper such as
 *             strace. Under a reparenting window manager such as openbox, both the window and
 *             the frame it was reparented into are mapped; without one, the window.
 *   paint_ms  from the same start until the first drawing into that window (X DAMAGE extension);
 *             -1 if nothing was drawn within a second of mapping. Without a window manager the
 *             window is only known once mapped, so a drawing right after may be missed.
 *   cpu_map_ms, cpu_paint_ms
 *             CPU time the window's process had used (all its live threads, from
 *             /proc/PID/task/TID/schedstat) when the mapping, and the first drawing, were seen:
 *             unlike map_ms, hardly changed by other work on the machine; -1 if not seen.
 *   rss_kb    VmRSS of the window's process RSS_DELAY_MS (default 300) after mapping, and
 *             rss_anon_kb its part that is not file pages (RssAnon): the process's own memory.
 * The program is then ended with SIGTERM (SIGKILL if it lingers). Its output goes to /dev/null.
 * Exit status 0 on success, 1 if the window did not appear in TIMEOUT_MS (default 20000).
 */
#define _POSIX_C_SOURCE 200809L

#include <xcb/damage.h>
#include <xcb/xcb.h>

#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

static double now_ms(void)
{
    struct timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return (double)ts.tv_sec * 1e3 + (double)ts.tv_nsec / 1e6;
}

static void sleep_ms(double ms)
{
    if (ms <= 0)
        return;
    struct timespec ts = {(time_t)(ms / 1e3), (long)((ms - (double)(time_t)(ms / 1e3) * 1e3) * 1e6)};
    nanosleep(&ts, NULL);
}

static xcb_atom_t intern(xcb_connection_t *c, const char *name)
{
    xcb_intern_atom_reply_t *reply =
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, (uint16_t)strlen(name), name), NULL);
    xcb_atom_t atom = reply ? reply->atom : XCB_ATOM_NONE;
    free(reply);
    return atom;
}

/* The window's _NET_WM_PID, or 0. */
static long window_pid(xcb_connection_t *c, xcb_window_t window, xcb_atom_t pid_atom)
{
    xcb_get_property_reply_t *reply = xcb_get_property_reply(
        c, xcb_get_property(c, 0, window, pid_atom, XCB_ATOM_CARDINAL, 0, 1), NULL);
    long pid = 0;
    if (reply && reply->format == 32 && xcb_get_property_value_length(reply) == 4)
        pid = (long)*(uint32_t *)xcb_get_property_value(reply);
    free(reply);
    return pid;
}

static long parent_pid(long pid)
{
    char path[64];
    snprintf(path, sizeof path, "/proc/%ld/stat", pid);
    FILE *stat = fopen(path, "r");
    long parent = 0;
    if (stat) {
        /* pid (comm) state ppid: comm may hold blanks, so read after its closing parenthesis. */
        char line[512];
        if (fgets(line, sizeof line, stat)) {
            const char *end = strrchr(line, ')');
            if (end)
                sscanf(end + 1, " %*c %ld", &parent);
        }
        fclose(stat);
    }
    return parent;
}

/* Whether the window belongs to the started process or one of its descendants. */
static int started_by(long window_owner, pid_t child)
{
    for (long pid = window_owner; pid > 1; pid = parent_pid(pid))
        if (pid == child)
            return 1;
    return 0;
}

static int is_viewable(xcb_connection_t *c, xcb_window_t window)
{
    xcb_get_window_attributes_reply_t *reply =
        xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, window), NULL);
    int viewable = reply && reply->map_state == XCB_MAP_STATE_VIEWABLE;
    free(reply);
    return viewable;
}

/* A "Name:   N kB" field of /proc/PID/status, or -1. */
static long status_kb(pid_t pid, const char *name)
{
    char path[64], line[256], format[64];
    snprintf(path, sizeof path, "/proc/%ld/status", (long)pid);
    FILE *status = fopen(path, "r");
    long kb = -1;
    if (!status)
        return kb;
    snprintf(format, sizeof format, "%s: %%ld kB", name);
    while (fgets(line, sizeof line, status))
        if (sscanf(line, format, &kb) == 1)
            break;
    fclose(status);
    return kb;
}

/* CPU time in ms used so far by the live threads of the process. */
static double cpu_ms(pid_t pid)
{
    char path[96];
    snprintf(path, sizeof path, "/proc/%ld/task", (long)pid);
    DIR *tasks = opendir(path);
    double ns = 0;
    if (!tasks)
        return -1;
    for (struct dirent *task; (task = readdir(tasks));) {
        if (task->d_name[0] == '.')
            continue;
        snprintf(path, sizeof path, "/proc/%ld/task/%.16s/schedstat", (long)pid, task->d_name);
        FILE *schedstat = fopen(path, "r");
        double run = 0;
        if (schedstat) {
            if (fscanf(schedstat, "%lf", &run) == 1)
                ns += run;
            fclose(schedstat);
        }
    }
    closedir(tasks);
    return ns / 1e6;
}

static void end_child(pid_t pid)
{
    kill(pid, SIGTERM);
    for (int i = 0; i < 200; ++i) {
        if (waitpid(pid, NULL, WNOHANG) == pid)
            return;
        sleep_ms(10);
    }
    kill(pid, SIGKILL);
    waitpid(pid, NULL, 0);
}

static pid_t start(char **argv)
{
    pid_t pid = fork();
    if (pid == 0) {
        int null = open("/dev/null", O_RDWR);
        dup2(null, STDIN_FILENO);
        dup2(null, STDOUT_FILENO);
        dup2(null, STDERR_FILENO);
        execvp(argv[0], argv);
        _exit(127);
    }
    return pid;
}

int main(int argc, char **argv)
{
    double rss_delay = 300, timeout = 20000;
    int opt;
    while ((opt = getopt(argc, argv, "+r:t:")) != -1) {
        if (opt == 'r')
            rss_delay = atof(optarg);
        else if (opt == 't')
            timeout = atof(optarg);
        else
            return 2;
    }
    if (optind >= argc) {
        fprintf(stderr, "usage: startup_probe [-r RSS_DELAY_MS] [-t TIMEOUT_MS] PROGRAM [ARG...]\n");
        return 2;
    }

    xcb_connection_t *c = xcb_connect(NULL, NULL);
    if (xcb_connection_has_error(c)) {
        fprintf(stderr, "startup_probe: cannot open the display\n");
        return 2;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    const xcb_atom_t pid_atom = intern(c, "_NET_WM_PID");
    xcb_damage_query_version_reply_t *damage_version =
        xcb_damage_query_version_reply(c, xcb_damage_query_version(c, 1, 1), NULL);
    const xcb_query_extension_reply_t *damage = xcb_get_extension_data(c, &xcb_damage_id);
    if (!damage_version || !damage || !damage->present) {
        fprintf(stderr, "startup_probe: the X server has no DAMAGE extension\n");
        return 2;
    }
    free(damage_version);
    const uint32_t substructure = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(c, root, XCB_CW_EVENT_MASK, &substructure);
    xcb_flush(c);

    const double t0 = now_ms();
    const pid_t pid = start(argv + optind);
    if (pid < 0) {
        perror("startup_probe: fork");
        return 2;
    }

    xcb_window_t client = XCB_NONE, frame = XCB_NONE;
    long owner = 0;
    int client_mapped = 0, frame_mapped = 0;
    double map_time = -1, paint_time = -1, map_cpu = -1, paint_cpu = -1;
    struct pollfd fd = {xcb_get_file_descriptor(c), POLLIN, 0};
    for (;;) {
        const double now = now_ms();
        if (map_time < 0 && now - t0 > timeout)
            break;
        if (map_time >= 0 && (paint_time >= 0 || now - map_time > 1000))
            break;
        if (waitpid(pid, NULL, WNOHANG) == pid) {
            fprintf(stderr, "startup_probe: %s ended before its window appeared\n", argv[optind]);
            return 1;
        }
        xcb_generic_event_t *event = xcb_poll_for_event(c);
        if (!event) {
            if (xcb_connection_has_error(c))
                return 2;
            poll(&fd, 1, 50);
            continue;
        }
        const double at = now_ms();
        const uint8_t type = event->response_type & 0x7f;
        if (type == XCB_REPARENT_NOTIFY && client == XCB_NONE) {
            const xcb_reparent_notify_event_t *e = (const xcb_reparent_notify_event_t *)event;
            const long window_owner = e->parent != root ? window_pid(c, e->window, pid_atom) : 0;
            if (started_by(window_owner, pid)) {
                owner = window_owner;
                client = e->window;
                frame = e->parent;
                const uint32_t structure = XCB_EVENT_MASK_STRUCTURE_NOTIFY;
                xcb_change_window_attributes(c, client, XCB_CW_EVENT_MASK, &structure);
                xcb_damage_create(c, xcb_generate_id(c), client, XCB_DAMAGE_REPORT_LEVEL_NON_EMPTY);
                xcb_flush(c);
                client_mapped = is_viewable(c, client) || client_mapped;
            }
        } else if (type == XCB_MAP_NOTIFY) {
            const xcb_map_notify_event_t *e = (const xcb_map_notify_event_t *)event;
            if (client != XCB_NONE && e->window == frame)
                frame_mapped = 1;
            else if (client != XCB_NONE && e->window == client)
                client_mapped = 1;
            else if (client == XCB_NONE && e->event == root
                     && started_by(window_pid(c, e->window, pid_atom), pid)) {
                /* No window manager framed it: the window itself is a child of the root. */
                owner = window_pid(c, e->window, pid_atom);
                client = frame = e->window;
                client_mapped = frame_mapped = 1;
                xcb_damage_create(c, xcb_generate_id(c), client, XCB_DAMAGE_REPORT_LEVEL_NON_EMPTY);
                xcb_flush(c);
            }
        } else if (type == damage->first_event + XCB_DAMAGE_NOTIFY) {
            const xcb_damage_notify_event_t *e = (const xcb_damage_notify_event_t *)event;
            if (e->drawable == client && paint_time < 0) {
                paint_time = at;
                paint_cpu = cpu_ms((pid_t)owner);
            }
        }
        free(event);
        if (map_time < 0 && client_mapped && frame_mapped) {
            map_time = at;
            map_cpu = cpu_ms((pid_t)owner);
        }
    }
    if (map_time < 0) {
        fprintf(stderr, "startup_probe: no window of %s appeared in %.0f ms\n", argv[optind], timeout);
        end_child(pid);
        return 1;
    }

    sleep_ms(map_time + rss_delay - now_ms());
    const long rss = status_kb((pid_t)owner, "VmRSS"), anon = status_kb((pid_t)owner, "RssAnon");
    end_child(pid);
    xcb_disconnect(c);
    printf("map_ms=%.2f paint_ms=%.2f cpu_map_ms=%.2f cpu_paint_ms=%.2f rss_kb=%ld rss_anon_kb=%ld\n",
           map_time - t0, paint_time < 0 ? -1.0 : paint_time - t0, map_cpu, paint_cpu, rss, anon);
    return 0;
}
