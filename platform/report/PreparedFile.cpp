#include "PreparedFile.h"

#include "ReportError.h"

#include <QDataStream>
#include <QFileInfo>
#include <QSaveFile>

namespace qelvan::report {

namespace {

constexpr quint32 kMagic = 0x51525031;   // "QRP1"
constexpr quint16 kVersion = 1;
constexpr QDataStream::Version kStreamVersion = QDataStream::Qt_6_0;
// Far above any real report. Counts are only trusted this far, and storage
// grows with what is actually read, so a corrupt count cannot make us
// allocate wildly.
constexpr quint32 kMaxCount = 50'000'000;

QString nameOf(const QString& path)
{
    return QFileInfo(path).fileName();
}

void writeStyle(QDataStream& out, const ItemStyle& s)
{
    out << s.font.family << s.font.pointSize << s.font.bold << s.font.italic << s.font.underline
        << quint32(s.alignment) << s.wordWrap << quint32(s.frameSides) << s.frameWidth << s.frameColor
        << s.textColor << s.fill;
}

void readStyle(QDataStream& in, ItemStyle& s)
{
    quint32 alignment = 0;
    quint32 sides = 0;
    in >> s.font.family >> s.font.pointSize >> s.font.bold >> s.font.italic >> s.font.underline >> alignment
        >> s.wordWrap >> sides >> s.frameWidth >> s.frameColor >> s.textColor >> s.fill;
    s.alignment = Qt::Alignment(int(alignment));
    s.frameSides = sides & FrameAll;
}

} // namespace

void savePrepared(const PreparedReport& report, const QString& path)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw ReportError(QStringLiteral("无法写入文件 %1：%2").arg(nameOf(path), file.errorString()));
    QDataStream out(&file);
    out.setVersion(kStreamVersion);
    out << kMagic << kVersion;
    out << quint32(report.styles().size());
    for (const ItemStyle& s : report.styles())
        writeStyle(out, s);
    out << quint32(report.pageCount());
    for (const PreparedPage& page : report.pages()) {
        out << page.paper << quint32(page.items.size());
        for (const PreparedItem& item : page.items)
            out << item.rect << item.text << qint32(item.style) << item.object;
    }
    if (out.status() != QDataStream::Ok || !file.commit())
        throw ReportError(QStringLiteral("无法写入文件 %1：%2").arg(nameOf(path), file.errorString()));
}

PreparedReport loadPrepared(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw ReportError(QStringLiteral("无法打开文件 %1：%2").arg(nameOf(path), file.errorString()));
    const QString notOurs = QStringLiteral("文件 %1 不是可以打开的报表").arg(nameOf(path));
    QDataStream in(&file);
    in.setVersion(kStreamVersion);
    quint32 magic = 0;
    quint16 version = 0;
    in >> magic >> version;
    if (in.status() != QDataStream::Ok || magic != kMagic || version != kVersion)
        throw ReportError(notOurs);

    PreparedReport report;
    quint32 styleCount = 0;
    in >> styleCount;
    if (styleCount > kMaxCount)
        throw ReportError(notOurs);
    for (quint32 i = 0; i < styleCount && in.status() == QDataStream::Ok; ++i) {
        ItemStyle s;
        readStyle(in, s);
        // Styles are stored distinct; a repeated one would shift the indexes.
        if (report.internStyle(s) != int(i))
            throw ReportError(notOurs);
    }

    quint32 pageCount = 0;
    in >> pageCount;
    if (pageCount > kMaxCount)
        throw ReportError(notOurs);
    for (quint32 p = 0; p < pageCount && in.status() == QDataStream::Ok; ++p) {
        QSizeF paper;
        quint32 itemCount = 0;
        in >> paper >> itemCount;
        if (itemCount > kMaxCount || !(paper.width() > 0 && paper.height() > 0))
            throw ReportError(notOurs);
        PreparedPage& page = report.addPage(paper);
        page.items.reserve(std::min<quint32>(itemCount, 100'000));
        for (quint32 i = 0; i < itemCount && in.status() == QDataStream::Ok; ++i) {
            PreparedItem item;
            qint32 style = 0;
            in >> item.rect >> item.text >> style >> item.object;
            if (style < 0 || quint32(style) >= styleCount)
                throw ReportError(notOurs);
            item.style = style;
            page.items.push_back(std::move(item));
        }
    }
    if (in.status() != QDataStream::Ok || !in.atEnd())
        throw ReportError(notOurs);
    return report;
}

} // namespace qelvan::report
