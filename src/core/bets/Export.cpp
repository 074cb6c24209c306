#include "core/bets/Export.h"

#include "core/bets/BetText.h"

#include <QSaveFile>
#include <new>
#include <vector>

namespace {
constexpr int kLineBytes = kOutputLineLength + 2;
constexpr std::size_t kLinesPerBlock = 1 << 15; // about 700 KB per write
} // namespace

Outcome writeOutputLines(QIODevice &device, const BetList &list, const ProgressFn &progress)
{
    // The block is the one allocation here; when it does not fit nothing has been written.
    std::vector<char> block;
    try {
        block.resize(kLinesPerBlock * kLineBytes);
    } catch (const std::bad_alloc &) {
        return Outcome::failed(kExportOutOfMemoryMessage);
    }
    ProgressTicker ticker(progress, qint64(list.size()));
    for (std::size_t start = 0; start < list.size(); start += kLinesPerBlock) {
        if (!ticker.tick(qint64(start)))
            return Outcome::cancelled();
        const std::size_t end = std::min(list.size(), start + kLinesPerBlock);
        char *p = block.data();
        for (std::size_t i = start; i < end; ++i, p += kLineBytes) {
            formatOutputLine(list[i], p);
            p[kOutputLineLength] = '\r';
            p[kOutputLineLength + 1] = '\n';
        }
        const qint64 bytes = qint64(p - block.data());
        if (device.write(block.data(), bytes) != bytes)
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
