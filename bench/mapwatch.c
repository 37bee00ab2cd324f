/*
 * bench-mapwatch: starts a program and reports how long it took until its
 * first top-level window was mapped, and what the process held at that
 * moment.
 *
 *   bench-mapwatch [--timeout-ms N] [--term-timeout-ms N] [--handler-wait-ms N] -- program [args...]
 *
 * The root window's SubstructureNotify is selected before the clock starts,
 * so the MapNotify of every child of the root reaches us without polling.
 * At the first MapNotify of a window that is not override-redirect (menus
 * and tooltips are) and that belongs to the started
 * process group (by _NET_WM_PID; a window without one, such as a window
 * manager's frame, is taken as well), the group is stopped, so the figures
 * read from /proc are those of that moment; then the program is let go on,
 * gets SIGTERM (with --handler-wait-ms, once it has a handler for it or that
 * time has passed) and is waited for.
 *
 * One line on stdout:
 *   map_ms=<ms> cpu_ms=<ms, all live threads> main_wait_ms=<ms runnable but not running>
 *   rss_kb=<kB> rss_anon_kb=<kB> rss_file_kb=<kB> webengine_libs=<n> webengine_procs=<n> libs=<n>
 *   group_others=<n> sigterm_caught=<0|1> handler_after_ms=<ms, -1: none> exit=<how>
 * or "error=<what>" with a non-zero exit status.
 */
#define _GNU_SOURCE
#include <xcb/xcb.h>

#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

/* The started group, for the interrupt handler: it lives in a group of its
 * own, so an interrupt meant for us does not reach it. */
static volatile pid_t g_group = 0;

static void onInterrupt(int sig)
{
    if (g_group > 0) {
        kill(-g_group, SIGKILL);
        kill(-g_group, SIGCONT);
    }
    _exit(128 + sig);
}

static double nowMs(void)
{
    struct timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec * 1000.0 + ts.tv_nsec / 1e6;
}

/* A "<name>: <n> kB" line of /proc/<pid>/status; -1 if missing. */
static long statusKb(pid_t pid, const char *name)
{
    char path[64];
    snprintf(path, sizeof path, "/proc/%d/status", (int)pid);
    FILE *f = fopen(path, "r");
    if (!f)
        return -1;
    char line[256];
    long kb = -1;
    const size_t len = strlen(name);
    while (fgets(line, sizeof line, f))
        if (strncmp(line, name, len) == 0 && line[len] == ':' && sscanf(line + len + 1, "%ld", &kb) == 1)
            break;
    fclose(f);
    return kb;
}

/* CPU time of the live threads, and how long the main thread waited for a
 * CPU while runnable (what other load on the machine cost it). */
static void cpuTimes(pid_t pid, double *cpuMs, double *mainWaitMs)
{
    *cpuMs = -1;
    *mainWaitMs = -1;
    char path[64];
    snprintf(path, sizeof path, "/proc/%d/task", (int)pid);
    DIR *tasks = opendir(path);
    if (!tasks)
        return;
    unsigned long long total = 0;
    struct dirent *entry;
    while ((entry = readdir(tasks))) {
        const int tid = atoi(entry->d_name);
        if (tid <= 0)
            continue;
        char statPath[96];
        snprintf(statPath, sizeof statPath, "/proc/%d/task/%d/schedstat", (int)pid, tid);
        FILE *f = fopen(statPath, "r");
        if (!f)
            continue;
        unsigned long long onCpu = 0, waiting = 0;
        if (fscanf(f, "%llu %llu", &onCpu, &waiting) == 2) {
            total += onCpu;
            if (tid == (int)pid)
                *mainWaitMs = waiting / 1e6;
        }
        fclose(f);
    }
    closedir(tasks);
    *cpuMs = total / 1e6;
}

/* Whether the process has a handler of its own for SIGTERM at this moment. */
static int catchesSigterm(pid_t pid)
{
    char path[64];
    snprintf(path, sizeof path, "/proc/%d/status", (int)pid);
    FILE *f = fopen(path, "r");
    if (!f)
        return -1;
    char line[256];
    unsigned long long mask = 0;
    int found = 0;
    while (!found && fgets(line, sizeof line, f))
        found = sscanf(line, "SigCgt: %llx", &mask) == 1;
    fclose(f);
    return found ? (int)((mask >> (SIGTERM - 1)) & 1) : -1;
}

/* Distinct shared objects mapped, and how many of them are QtWebEngine's. */
static void countLibs(pid_t pid, int *libs, int *webEngine)
{
    char path[64];
    snprintf(path, sizeof path, "/proc/%d/maps", (int)pid);
    *libs = 0;
    *webEngine = 0;
    FILE *f = fopen(path, "r");
    if (!f)
        return;
    char line[4096];
    char last[4096] = "";
    while (fgets(line, sizeof line, f)) {
        const char *file = strchr(line, '/');
        if (!file || !strstr(file, ".so"))
            continue;
        /* One object's segments are adjacent lines. */
        if (strcmp(file, last) == 0)
            continue;
        snprintf(last, sizeof last, "%s", file);
        ++*libs;
        if (strstr(file, "libQt5WebEngine") || strstr(file, "libQt6WebEngine")) {
            ++*webEngine;
            fprintf(stderr, "bench-mapwatch: mapped %s", file);
        }
    }
    fclose(f);
}

/* Processes of the group other than its leader, and how many of them are
 * QtWebEngine helper processes. */
static int countGroup(pid_t group, int *webEngine)
{
    *webEngine = 0;
    DIR *proc = opendir("/proc");
    if (!proc)
        return 0;
    int others = 0;
    struct dirent *entry;
    while ((entry = readdir(proc))) {
        const pid_t pid = (pid_t)atoi(entry->d_name);
        if (pid <= 0 || pid == group || getpgid(pid) != group)
            continue;
        ++others;
        char path[64], comm[64] = "";
        snprintf(path, sizeof path, "/proc/%d/comm", (int)pid);
        FILE *f = fopen(path, "r");
        if (f) {
            if (!fgets(comm, sizeof comm, f))
                comm[0] = 0;
            fclose(f);
        }
        if (strstr(comm, "QtWebEngine"))
            ++*webEngine;
    }
    closedir(proc);
    return others;
}

static pid_t windowPid(xcb_connection_t *c, xcb_window_t window, xcb_atom_t netWmPid)
{
    xcb_get_property_reply_t *reply =
        xcb_get_property_reply(c, xcb_get_property(c, 0, window, netWmPid, XCB_ATOM_CARDINAL, 0, 1), NULL);
    pid_t pid = 0;
    if (reply && reply->format == 32 && xcb_get_property_value_length(reply) >= 4)
        pid = (pid_t) * (const uint32_t *)xcb_get_property_value(reply);
    free(reply);
    return pid;
}

static void describeExit(int status, char *out, size_t size)
{
    if (WIFEXITED(status))
        snprintf(out, size, "code%d", WEXITSTATUS(status));
    else if (WIFSIGNALED(status))
        snprintf(out, size, "signal%d", WTERMSIG(status));
    else
        snprintf(out, size, "unknown");
}

/* Waits for the child for up to timeoutMs; true with its status when it ended. */
static int waitChild(pid_t child, int timeoutMs, int *status)
{
    const double end = nowMs() + timeoutMs;
    for (;;) {
        const pid_t r = waitpid(child, status, WNOHANG);
        if (r == child)
            return 1;
        if (r < 0 && errno != EINTR)
            return 0;
        if (nowMs() > end)
            return 0;
        usleep(2000);
    }
}

/* Ends whatever is left of the group, and says whether anything was. */
static int killGroup(pid_t group)
{
    if (kill(-group, 0) != 0)
        return 0;
    kill(-group, SIGKILL);
    kill(-group, SIGCONT);
    return 1;
}

int main(int argc, char **argv)
{
    int timeoutMs = 30000;
    int termTimeoutMs = 15000;
    int handlerWaitMs = 0;
    int i = 1;
    for (; i < argc; ++i) {
        if (strcmp(argv[i], "--timeout-ms") == 0 && i + 1 < argc)
            timeoutMs = atoi(argv[++i]);
        else if (strcmp(argv[i], "--term-timeout-ms") == 0 && i + 1 < argc)
            termTimeoutMs = atoi(argv[++i]);
        else if (strcmp(argv[i], "--handler-wait-ms") == 0 && i + 1 < argc)
            handlerWaitMs = atoi(argv[++i]);
        else if (strcmp(argv[i], "--") == 0) {
            ++i;
            break;
        } else
            break;
    }
    if (i >= argc) {
        fprintf(stderr, "usage: bench-mapwatch [--timeout-ms N] [--term-timeout-ms N] [--handler-wait-ms N]"
                        " -- program [args...]\n");
        return 2;
    }

    xcb_connection_t *c = xcb_connect(NULL, NULL);
    if (xcb_connection_has_error(c)) {
        printf("error=no-display\n");
        return 1;
    }
    fcntl(xcb_get_file_descriptor(c), F_SETFD, FD_CLOEXEC);
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_generic_error_t *err = xcb_request_check(c, xcb_change_window_attributes_checked(c, root, XCB_CW_EVENT_MASK, &mask));
    if (err) {
        printf("error=cannot-select-root-events\n");
        free(err);
        return 1;
    }
    xcb_intern_atom_reply_t *atom = xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, 11, "_NET_WM_PID"), NULL);
    const xcb_atom_t netWmPid = atom ? atom->atom : XCB_NONE;
    free(atom);
    fflush(stdout);

    struct sigaction action;
    memset(&action, 0, sizeof action);
    action.sa_handler = onInterrupt;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, NULL);
    sigaction(SIGTERM, &action, NULL);
    sigaction(SIGHUP, &action, NULL);

    const double start = nowMs();
    const pid_t child = fork();
    if (child < 0) {
        printf("error=fork\n");
        return 1;
    }
    if (child == 0) {
        signal(SIGINT, SIG_DFL);
        signal(SIGTERM, SIG_DFL);
        signal(SIGHUP, SIG_DFL);
        setpgid(0, 0);
        /* Our stdout carries only the result line. */
        dup2(STDERR_FILENO, STDOUT_FILENO);
        execvp(argv[i], argv + i);
        _exit(127);
    }
    setpgid(child, child);
    g_group = child;

    double mapped = -1;
    pid_t owner = 0;
    int status = 0;
    int ended = 0;
    struct pollfd pfd = {xcb_get_file_descriptor(c), POLLIN, 0};
    while (mapped < 0) {
        xcb_generic_event_t *ev;
        while (mapped < 0 && (ev = xcb_poll_for_event(c))) {
            if ((ev->response_type & 0x7f) == XCB_MAP_NOTIFY) {
                const xcb_map_notify_event_t *map = (const xcb_map_notify_event_t *)ev;
                if (map->event == root && !map->override_redirect) {
                    const double at = nowMs();
                    kill(-child, SIGSTOP);
                    owner = netWmPid ? windowPid(c, map->window, netWmPid) : 0;
                    if (owner == 0 || owner == child || getpgid(owner) == child)
                        mapped = at - start;
                    else
                        kill(-child, SIGCONT);  // someone else's window
                }
            }
            free(ev);
        }
        if (mapped >= 0)
            break;
        if (xcb_connection_has_error(c)) {
            printf("error=display-lost\n");
            break;
        }
        if (waitpid(child, &status, WNOHANG) == child) {
            ended = 1;
            char how[32];
            describeExit(status, how, sizeof how);
            printf("error=ended-before-window exit=%s\n", how);
            break;
        }
        if (nowMs() - start > timeoutMs) {
            printf("error=no-window-within-%dms\n", timeoutMs);
            break;
        }
        poll(&pfd, 1, 20);
    }

    if (mapped < 0) {
        if (!ended) {
            kill(child, SIGKILL);
            waitChild(child, termTimeoutMs, &status);
        }
        killGroup(child);
        xcb_disconnect(c);
        return 1;
    }

    /* The leader is stopped once waitpid reports it so. */
    int stopped = 0;
    pid_t r;
    while ((r = waitpid(child, &stopped, WUNTRACED)) < 0 && errno == EINTR) {
    }
    ended = r == child && !WIFSTOPPED(stopped);
    /* The figures are those of the window's process (a launcher's child). */
    const pid_t measured = owner > 0 ? owner : child;
    const long rss = statusKb(measured, "VmRSS");
    const long rssAnon = statusKb(measured, "RssAnon");
    const long rssFile = statusKb(measured, "RssFile");
    double cpuMs, mainWaitMs;
    cpuTimes(measured, &cpuMs, &mainWaitMs);
    const int sigterm = catchesSigterm(measured);
    int libs = 0, webEngineLibs = 0, webEngineProcs = 0;
    countLibs(measured, &libs, &webEngineLibs);
    const int others = countGroup(child, &webEngineProcs);

    char how[32] = "killed";
    double handlerAfter = sigterm == 1 ? 0 : -1;
    if (ended) {
        describeExit(stopped, how, sizeof how);
    } else {
        kill(-child, SIGCONT);
        /* A program that takes SIGTERM for its orderly end may set that up
         * only after its first window: give it the time to. */
        const double resumed = nowMs();
        while (handlerAfter < 0 && nowMs() - resumed < handlerWaitMs) {
            if (catchesSigterm(measured) == 1)
                handlerAfter = nowMs() - resumed;
            else
                usleep(500);
        }
        kill(child, SIGTERM);
        if (waitChild(child, termTimeoutMs, &status))
            describeExit(status, how, sizeof how);
        else {
            kill(-child, SIGKILL);
            waitChild(child, termTimeoutMs, &status);
        }
    }
    const int leftover = killGroup(child);
    printf("map_ms=%.1f cpu_ms=%.1f main_wait_ms=%.1f", mapped, cpuMs, mainWaitMs);
    printf(" rss_kb=%ld rss_anon_kb=%ld rss_file_kb=%ld", rss, rssAnon, rssFile);
    printf(" webengine_libs=%d webengine_procs=%d libs=%d group_others=%d", webEngineLibs, webEngineProcs, libs, others);
    printf(" sigterm_caught=%d handler_after_ms=%.1f exit=%s%s\n", sigterm, handlerAfter, how,
           leftover ? " leftover=1" : "");
    xcb_disconnect(c);
    return 0;
}
