#pragma once
// What every fuzz target shares: a check that stops the run with the failing input, and a
// scratch directory (in memory when /dev/shm is there) for the readers that take a file.
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

#define FUZZ_CHECK(cond)                                                                           \
    do {                                                                                           \
        if (!(cond)) {                                                                             \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #cond);          \
            std::abort();                                                                          \
        }                                                                                          \
    } while (0)

inline QTemporaryDir &scratchDir()
{
    static QTemporaryDir dir(QDir(QStringLiteral("/dev/shm")).exists()
                                 ? QStringLiteral("/dev/shm/balvora-fuzz-XXXXXX")
                                 : QDir::tempPath() + QStringLiteral("/balvora-fuzz-XXXXXX"));
    return dir;
}

// Writes the bytes to name inside the scratch directory and returns the full path.
inline QString writeScratchFile(const QString &name, const char *data, std::size_t size)
{
    const QString path = scratchDir().path() + QLatin1Char('/') + name;
    QDir().mkpath(path.left(path.lastIndexOf(QLatin1Char('/'))));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)
        || file.write(data, qint64(size)) != qint64(size)) {
        std::fprintf(stderr, "cannot write the scratch file %s\n", qPrintable(path));
        std::abort();
    }
    return path;
}

// Reads the input from the front: a few control bytes, then the rest as text.
class FuzzInput {
public:
    FuzzInput(const std::uint8_t *data, std::size_t size) : m_data(data), m_size(size) {}
    std::uint8_t byte()
    {
        if (m_pos >= m_size)
            return 0;
        return m_data[m_pos++];
    }
    const char *rest() const { return reinterpret_cast<const char *>(m_data + m_pos); }
    std::size_t restSize() const { return m_size - m_pos; }
    QByteArray restBytes() const { return QByteArray(rest(), qsizetype(restSize())); }

private:
    const std::uint8_t *m_data;
    std::size_t m_size;
    std::size_t m_pos = 0;
};
