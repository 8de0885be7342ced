#pragma once

#include <QByteArray>
#include <QString>

class QIODevice;

namespace tarvok {

// The data files are windows-1252.
QString DecodeWindows1252(const QByteArray& bytes);
QByteArray EncodeWindows1252(QStringView text); // unmappable characters become "?"

// A windows-1252 file read in blocks of whole lines, each decoded on its own, so that a large
// file is never held whole, neither as bytes nor as text: at start-up every megabyte of
// fresh memory costs about as much time as reading a fifth of the phone book.
class Windows1252Lines {
public:
    explicit Windows1252Lines(QIODevice& device, qsizetype blockBytes = 64 * 1024);

    // The next block: one or more whole lines with their line ends (CR LF, CR or LF; the
    // file's last line may have none). `text` keeps its buffer from block to block. False
    // once the file is read.
    bool next(QString* text);
    // The device failed to read: what `next` gave is not the whole file.
    bool failed() const { return m_failed; }

private:
    void readMore();

    QIODevice& m_device;
    qsizetype m_blockBytes;
    QByteArray m_pending; // read, not handed out yet
    bool m_atEnd = false;
    bool m_failed = false;
};

} // namespace tarvok
