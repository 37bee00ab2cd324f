// glimora-devserver: the local demo management server. Serves the demo world
// on 127.0.0.1, on an ordinary port and on a port that the simulated engine
// reports as a server of type "ROZ"; both serve the same data, over HTTPS with
// a certificate made at start-up, or over plain HTTP with --http.

#include "Avatars.h"
#include "DemoWorld.h"
#include "Routes.h"
#include "SelfSignedCert.h"

#include <httplib.h>

#include <QCoreApplication>

#include <atomic>
#include <chrono>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <thread>

#include <arpa/inet.h>
#include <dirent.h>
#include <netinet/in.h>
#include <pthread.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

const char kHost[] = "127.0.0.1";
constexpr int kDefaultPort = 8080;
constexpr int kDefaultRozPort = 8081;
constexpr int kUsageError = 2;
// A client that stops sending holds a worker at most this long.
constexpr int kReadTimeoutSec = 1;
constexpr int kWriteTimeoutSec = 5;
// Per port: a handful of idle or slow connections must not leave a request
// waiting for a free worker.
constexpr std::size_t kWorkerThreads = 32;

struct Options
{
    int port = kDefaultPort;
    int rozPort = kDefaultRozPort;
    bool rozPortGiven = false;
    bool quiet = false;
    bool http = false;
};

void printUsage(FILE *to)
{
    std::fprintf(to,
                 "Usage: glimora-devserver [--port <n>] [--roz-port <n>] [--http] [--quiet]\n"
                 "  --port <n>      ordinary management server port (default %d); 0 picks free ports\n"
                 "                  for both unless --roz-port is given\n"
                 "  --roz-port <n>  port of the server of type \"ROZ\" (default %d)\n"
                 "  --http          plain HTTP instead of HTTPS with a self-signed certificate\n"
                 "  --quiet         no request log on stderr\n"
                 "Prints \"devserver ports <plain> <roz>\" once both ports listen.\n",
                 kDefaultPort, kDefaultRozPort);
}

bool parsePort(const char *text, int *port)
{
    char *end = nullptr;
    errno = 0;
    const long value = std::strtol(text, &end, 10);
    if (errno != 0 || end == text || *end != '\0' || value < 0 || value > 65535)
        return false;
    *port = static_cast<int>(value);
    return true;
}

// Returns false after printing what is wrong; *exitNow for --help.
bool parseOptions(int argc, char **argv, Options *options, bool *exitNow)
{
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            printUsage(stdout);
            *exitNow = true;
            return true;
        }
        if (arg == "--quiet") {
            options->quiet = true;
            continue;
        }
        if (arg == "--http") {
            options->http = true;
            continue;
        }
        if (arg == "--port" || arg == "--roz-port") {
            int *target = arg == "--port" ? &options->port : &options->rozPort;
            if (i + 1 >= argc || !parsePort(argv[i + 1], target)) {
                std::fprintf(stderr, "glimora-devserver: %s needs a port number from 0 to 65535\n", arg.c_str());
                return false;
            }
            options->rozPortGiven |= arg == "--roz-port";
            ++i;
            continue;
        }
        std::fprintf(stderr, "glimora-devserver: unknown option %s\n", arg.c_str());
        printUsage(stderr);
        return false;
    }
    if (options->port == 0 && !options->rozPortGiven)
        options->rozPort = 0;
    return true;
}

// Without SO_REUSEPORT (the library's default), so that a second server on a
// port in use fails instead of sharing it.
void listenSocketOptions(int sock)
{
    int yes = 1;
    setsockopt(sock, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof(yes));
}

// The library listens with a queue of 5: a burst of connections (a client
// opens several at once) would wait for the system to retry, a second each.
// Listening again on the bound socket only makes the queue longer.
void lengthenAcceptQueue(int port)
{
    DIR *dir = opendir("/proc/self/fd");
    if (!dir)
        return;
    while (const dirent *entry = readdir(dir)) {
        char *end = nullptr;
        const long fd = std::strtol(entry->d_name, &end, 10);
        if (*end != '\0' || end == entry->d_name || fd == dirfd(dir))
            continue;
        int accepting = 0;
        socklen_t length = sizeof(accepting);
        if (getsockopt(int(fd), SOL_SOCKET, SO_ACCEPTCONN, &accepting, &length) != 0 || !accepting)
            continue;
        sockaddr_in address{};
        length = sizeof(address);
        if (getsockname(int(fd), reinterpret_cast<sockaddr *>(&address), &length) == 0
            && address.sin_family == AF_INET && ntohs(address.sin_port) == port)
            ::listen(int(fd), SOMAXCONN);
    }
    closedir(dir);
}

// The port the server listens on, or -1 (with errno kept for the message).
int bindServer(httplib::Server &server, int port)
{
    errno = 0;
    if (port == 0)
        return server.bind_to_any_port(kHost);
    return server.bind_to_port(kHost, port) ? port : -1;
}

} // namespace

int main(int argc, char **argv)
{
    Options options;
    bool exitNow = false;
    if (!parseOptions(argc, argv, &options, &exitNow))
        return kUsageError;
    if (exitNow)
        return 0;

    // SIGINT and SIGTERM are taken by sigwait below; every thread started
    // from here on inherits the mask.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
    std::signal(SIGPIPE, SIG_IGN);

    // For the image plugins that encode the avatars.
    QCoreApplication app(argc, argv);

    devserver::DemoWorld world;
    devserver::Avatars avatars;
    devserver::RouteOptions routeOptions;
    routeOptions.appVersion = QStringLiteral(GLIMORA_DEVSERVER_APP_VERSION);
    routeOptions.logRequests = !options.quiet;
    const devserver::Routes routes(world, avatars, routeOptions);

    devserver::SelfSignedCert cert;
    if (!options.http) {
        std::string error;
        cert = devserver::SelfSignedCert::make(&error);
        if (!cert.cert) {
            std::fprintf(stderr, "glimora-devserver: cannot make a certificate: %s\n", error.c_str());
            return EXIT_FAILURE;
        }
    }
    // The TLS context takes its own references to the key and certificate.
    const auto makeServer = [&]() -> std::unique_ptr<httplib::Server> {
        if (options.http)
            return std::make_unique<httplib::Server>();
        return std::make_unique<httplib::SSLServer>(cert.cert.get(), cert.key.get());
    };
    std::unique_ptr<httplib::Server> plain = makeServer();
    std::unique_ptr<httplib::Server> roz = makeServer();
    struct Listener
    {
        httplib::Server *server;
        int requested;
        int bound;
    } listeners[] = {{plain.get(), options.port, -1}, {roz.get(), options.rozPort, -1}};
    for (Listener &l : listeners) {
        if (!l.server->is_valid()) {
            std::fprintf(stderr, "glimora-devserver: the TLS context does not take the certificate\n");
            return EXIT_FAILURE;
        }
        l.server->set_socket_options(listenSocketOptions);
        // stop() waits for idle kept-alive connections to time out.
        l.server->set_keep_alive_timeout(1);
        l.server->set_read_timeout(kReadTimeoutSec, 0);
        l.server->set_write_timeout(kWriteTimeoutSec, 0);
        l.server->new_task_queue = [] { return new httplib::ThreadPool(kWorkerThreads); };
        routes.install(*l.server);
        l.bound = bindServer(*l.server, l.requested);
        if (l.bound <= 0) {
            const int error = errno;
            std::fprintf(stderr, "glimora-devserver: cannot listen on %s:%d: %s\n", kHost, l.requested,
                         error ? std::strerror(error) : "the port is in use or not permitted");
            return EXIT_FAILURE;
        }
        lengthenAcceptQueue(l.bound);
    }

    std::printf("devserver ports %d %d\n", listeners[0].bound, listeners[1].bound);
    std::fflush(stdout);
    if (!options.quiet)
        std::fprintf(stderr, "glimora-devserver: %d users, serving %s://%s:%d and %s://%s:%d (ROZ)\n",
                     world.userCount(), options.http ? "http" : "https", kHost, listeners[0].bound,
                     options.http ? "http" : "https", kHost, listeners[1].bound);

    std::atomic<bool> stopping{false};
    std::atomic<int> ended{0};
    std::thread threads[2];
    for (int i = 0; i < 2; ++i) {
        threads[i] = std::thread([&stopping, &ended, server = listeners[i].server] {
            server->listen_after_bind();
            ++ended;
            // A server that ends by itself takes the process down with it.
            if (!stopping.load())
                kill(getpid(), SIGTERM);
        });
    }
    // stop() only reaches a server whose accept loop runs; a signal that
    // arrives meanwhile waits in the mask.
    while (ended.load() == 0 && !(plain->is_running() && roz->is_running()))
        std::this_thread::sleep_for(std::chrono::milliseconds(1));

    int signal = 0;
    sigwait(&stopSignals, &signal);
    stopping.store(true);
    plain->stop();
    roz->stop();
    for (std::thread &t : threads)
        t.join();
    if (!options.quiet)
        std::fprintf(stderr, "glimora-devserver: stopped (%s)\n", strsignal(signal));
    return 0;
}
