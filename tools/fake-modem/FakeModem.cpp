#include "FakeModem.h"

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace fakemodem {

namespace {

constexpr int kWriteWaitMs = 5000; // give up on a program that stopped reading
constexpr int kSplitPauseMs = 200; // long enough for the program to read "O" on its own

void SleepMs(int ms) {
    timespec ts{ms / 1000, long(ms % 1000) * 1000000L};
    while (nanosleep(&ts, &ts) != 0 && errno == EINTR) {
    }
}

bool StartsWithAt(const std::string& line) {
    std::size_t i = 0;
    while (i < line.size() && (line[i] == ' ' || line[i] == '\n'))
        ++i;
    return line.size() >= i + 2 && (line[i] == 'A' || line[i] == 'a') &&
           (line[i + 1] == 'T' || line[i + 1] == 't');
}

bool IsIdentify(const std::string& line) {
    std::string command;
    for (char c : line)
        if (c != ' ' && c != '\n')
            command += char(std::toupper(static_cast<unsigned char>(c)));
    return command == "ATI" || command == "ATI0";
}

} // namespace

FakeModem::FakeModem(const Options& options)
    : m_options(options) {}

FakeModem::~FakeModem() {
    for (int fd : {m_master, m_slave, m_log})
        if (fd >= 0)
            ::close(fd);
}

bool FakeModem::open() {
    m_master = posix_openpt(O_RDWR | O_NOCTTY);
    if (m_master < 0 || grantpt(m_master) != 0 || unlockpt(m_master) != 0) {
        std::perror("fake-modem: pseudo-terminal");
        return false;
    }
    const char* name = ptsname(m_master);
    if (!name) {
        std::perror("fake-modem: ptsname");
        return false;
    }
    m_slavePath = name;
    m_slave = ::open(name, O_RDWR | O_NOCTTY);
    if (m_slave < 0) {
        std::perror("fake-modem: open slave");
        return false;
    }
    // Raw, so that the line discipline neither echoes our answers back to us nor
    // translates line ends before the program sets its own mode.
    termios tio{};
    if (tcgetattr(m_slave, &tio) == 0) {
        cfmakeraw(&tio);
        tcsetattr(m_slave, TCSANOW, &tio);
    }
    fcntl(m_master, F_SETFL, fcntl(m_master, F_GETFL) | O_NONBLOCK);
    if (!m_options.logPath.empty()) {
        m_log = ::open(m_options.logPath.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
        if (m_log < 0) {
            std::perror("fake-modem: log file");
            return false;
        }
    }
    return true;
}

int FakeModem::run(int stopFd) {
    char buffer[4096];
    for (;;) {
        pollfd fds[2] = {{m_master, POLLIN, 0}, {stopFd, POLLIN, 0}};
        if (poll(fds, 2, -1) < 0) {
            if (errno == EINTR)
                continue;
            std::perror("fake-modem: poll");
            return 1;
        }
        if (fds[1].revents != 0)
            return 0;
        if (fds[0].revents & POLLIN) {
            const ssize_t n = ::read(m_master, buffer, sizeof buffer);
            if (n > 0)
                received(buffer, n);
        } else if (fds[0].revents != 0) {
            // Cannot happen while we hold the slave open; do not spin if it does.
            SleepMs(10);
        }
    }
}

void FakeModem::received(const char* data, long size) {
    if (m_log >= 0 && ::write(m_log, data, size_t(size)) != size)
        std::perror("fake-modem: log write");
    if (m_options.echo && !m_options.silent)
        send(data, size);
    for (long i = 0; i < size; ++i) {
        if (data[i] == '\r') {
            commandLine();
            m_line.clear();
        } else {
            m_line += data[i];
        }
    }
}

void FakeModem::commandLine() {
    if (m_options.silent || !StartsWithAt(m_line))
        return;
    // "ATI" asks who the modem is; a real one names itself before its "OK".
    if (!m_options.error && IsIdentify(m_line))
        send(std::string("\r\n") + kIdentification + "\r\n");
    answer();
}

void FakeModem::answer() {
    if (m_options.garbage > 0)
        sendGarbage();
    if (m_options.error) {
        send(m_options.lowercase ? "error\r\n" : "ERROR\r\n");
        return;
    }
    const char* ok = m_options.lowercase ? "ok" : "OK";
    if (m_options.splitOk) {
        send(ok, 1);
        SleepMs(kSplitPauseMs);
        send(ok + 1, 1);
        send("\r\n");
    } else {
        send(std::string(ok) + "\r\n");
    }
}

void FakeModem::sendGarbage() {
    std::string noise(std::size_t(m_options.garbage), '\0');
    unsigned state = 12345;
    for (char& c : noise) {
        state = state * 1103515245u + 12345u;
        c = char((state >> 16) & 0xff);
        if (c == 'O' || c == 'o' || c == 'K' || c == 'k')
            c = '\0';
    }
    send(noise);
}

bool FakeModem::send(const char* data, long size) {
    while (size > 0) {
        const ssize_t n = ::write(m_master, data, std::size_t(size));
        if (n > 0) {
            data += n;
            size -= n;
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EINTR)
            return false;
        pollfd out{m_master, POLLOUT, 0};
        if (poll(&out, 1, kWriteWaitMs) == 0) {
            std::fprintf(stderr, "fake-modem: the program stopped reading\n");
            return false;
        }
    }
    return true;
}

} // namespace fakemodem
