#pragma once

#include <string>

namespace fakemodem {

// What the modem answers to "ATI", before its "OK".
inline constexpr char kIdentification[] = "Tarvok fake-modem 1.0";

struct Options {
    bool echo = true; // echo every byte of the command line back
    bool lowercase = false;
    bool splitOk = false; // "O" and "K" in two writes with a pause between
    bool error = false;   // answer "ERROR" instead of "OK"
    bool silent = false;  // never send anything, not even the echo
    long garbage = 0;     // bytes of noise (with NULs, never O or K) before each answer
    std::string logPath;  // every byte received is appended here, raw
};

// The modem: owns the pseudo-terminal, answers command lines until stop is set.
class FakeModem {
public:
    explicit FakeModem(const Options& options);
    ~FakeModem();
    FakeModem(const FakeModem&) = delete;
    FakeModem& operator=(const FakeModem&) = delete;

    // Opens the pseudo-terminal; false with a message on stderr.
    bool open();
    const std::string& slavePath() const { return m_slavePath; }
    // Serves until stopFd becomes readable; returns the exit code.
    int run(int stopFd);

private:
    void received(const char* data, long size);
    void commandLine();
    void answer();
    bool send(const char* data, long size);
    bool send(const std::string& text) { return send(text.data(), long(text.size())); }
    void sendGarbage();

    Options m_options;
    int m_master = -1;
    int m_slave = -1; // held open so that the program may close and reopen its end
    int m_log = -1;
    std::string m_slavePath;
    std::string m_line;
};

} // namespace fakemodem
