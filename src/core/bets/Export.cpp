#include "core/bets/Export.h"

#include "core/Parallel.h"
#include "core/bets/BetText.h"

#include <QSaveFile>
#include <algorithm>
#include <new>
#include <vector>

namespace {
constexpr int kLineBytes = kOutputLineLength + 2;
constexpr std::size_t kLinesPerBlock = 1 << 15; // about 700 KB per write
} // namespace

Outcome writeOutputLines(QIODevice &device, const BetList &list, const ProgressFn &progress)
{
    // One block of lines per thread, formatted together and written in order. The blocks are
    // the one allocation here; when they do not fit nothing has been written.
    const std::size_t linesPerRound = kLinesPerBlock * std::size_t(Parallel::threadCount());
    std::vector<char> text;
    try {
        text.resize(linesPerRound * kLineBytes);
    } catch (const std::bad_alloc &) {
        return Outcome::failed(kExportOutOfMemoryMessage);
    }
    ProgressTicker ticker(progress, qint64(list.size()));
    for (std::size_t start = 0; start < list.size(); start += linesPerRound) {
        if (!ticker.tick(qint64(start)))
            return Outcome::cancelled();
        const std::size_t lines = std::min(list.size() - start, linesPerRound);
        const Parallel::Split split(lines, kLinesPerBlock / 2);
        split.run({}, [&](std::size_t block, Parallel::BlockTicker &) {
            char *p = text.data() + split.begin(block) * kLineBytes;
            for (std::size_t i = start + split.begin(block); i < start + split.end(block); ++i, p += kLineBytes) {
                formatOutputLine(list[i], p);
                p[kOutputLineLength] = '\r';
                p[kOutputLineLength + 1] = '\n';
            }
            return true;
        });
        const qint64 bytes = qint64(lines * kLineBytes);
        if (device.write(text.data(), bytes) != bytes)
            return Outcome::failed(QStringLiteral("写入文件失败：%1").arg(device.errorString()));
    }
    if (!ticker.finish())
        return Outcome::cancelled();
    return Outcome::success();
}

QString cannotWriteText(const QString &path, const QString &error)
{
    return QStringLiteral("无法写入文件%1：%2").arg(path, error);
}

Outcome exportBets(const QString &path, const BetList &list, const ProgressFn &progress)
{
    // Written beside the target and renamed at the end: a failed or cancelled export leaves
    // an existing file as it was.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return Outcome::failed(cannotWriteText(path, file.errorString()));
    const Outcome o = writeOutputLines(file, list, progress);
    if (!o.ok()) {
        file.cancelWriting();
        return o;
    }
    if (!file.commit())
        return Outcome::failed(QStringLiteral("写入文件失败：%1").arg(file.errorString()));
    return o;
}
