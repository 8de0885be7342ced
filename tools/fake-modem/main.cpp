// fake-modem: a Hayes modem on a pseudo-terminal. Prints the device path as its first line,
// then echoes command lines and answers "OK" to every line that begins with "AT".
//
//   fake-modem [--no-echo] [--lowercase] [--split-ok] [--error] [--silent]
//              [--garbage BYTES] [--log FILE]
//
// Ends on SIGTERM or SIGINT.
#include "FakeModem.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

int g_stopPipe[2] = {-1, -1};

void OnSignal(int) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = write(g_stopPipe[1], &byte, 1);
}

int Usage() {
    std::fprintf(stderr, "usage: fake-modem [--no-echo] [--lowercase] [--split-ok] [--error] "
                         "[--silent] [--garbage BYTES] [--log FILE]\n");
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    fakemodem::Options options;
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        if (std::strcmp(arg, "--no-echo") == 0)
            options.echo = false;
        else if (std::strcmp(arg, "--lowercase") == 0)
            options.lowercase = true;
        else if (std::strcmp(arg, "--split-ok") == 0)
            options.splitOk = true;
        else if (std::strcmp(arg, "--error") == 0)
            options.error = true;
        else if (std::strcmp(arg, "--silent") == 0)
            options.silent = true;
        else if (std::strcmp(arg, "--garbage") == 0 && i + 1 < argc)
            options.garbage = std::strtol(argv[++i], nullptr, 10);
        else if (std::strcmp(arg, "--log") == 0 && i + 1 < argc)
            options.logPath = argv[++i];
        else
            return Usage();
    }

    if (pipe2(g_stopPipe, O_CLOEXEC) != 0)
        return 1;
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
    std::signal(SIGPIPE, SIG_IGN);

    fakemodem::FakeModem modem(options);
    if (!modem.open())
        return 1;
    std::printf("%s\n", modem.slavePath().c_str());
    std::fflush(stdout);
    return modem.run(g_stopPipe[0]);
}
