#include "tools/TipsReader.h"

#include "storage/Cp1252.h"

#include <QDateTime>
#include <QFileInfo>
#include <QLocale>

namespace tavrin::tools {

QString TipsReader::stampOf(const QString& path) {
    const QDateTime when = QFileInfo(path).lastModified();
    if (!when.isValid()) return QString();
    // The C library's calendar-time text, in English whatever the locale.
    return QLocale::c().toString(when, "ddd MMM dd HH:mm:ss yyyy").trimmed();
}

TipsReader::Status TipsReader::open(const QString& path, qint64 offset,
                                    const QString& storedStamp) {
    file_.close();
    file_.setFileName(path);
    if (!QFileInfo(path).isFile() || !file_.open(QIODevice::ReadOnly)) return Status::Missing;
    stamp_ = stampOf(path);
    if (stamp_ != storedStamp) offset = 0;
    if (offset < 0 || offset > file_.size() || !file_.seek(offset)) return Status::Corrupt;
    return Status::Ok;
}

QString TipsReader::next(Status* status) {
    auto say = [&](Status s) {
        if (status) *status = s;
        return QString();
    };
    if (!file_.isOpen()) return say(Status::Missing);
    bool wrapped = false;
    const qint64 start = file_.pos();
    for (;;) {
        const qint64 at = file_.pos();
        if (wrapped && at >= start) return say(Status::NoTips); // once round, no tip found
        QByteArray line = file_.readLine(kLineLimit + 1);
        if (!line.isEmpty()) {
            const char c = line[0];
            if (c != '\t' && c != '\n' && c != ' ' && c != ';' && c != '\r') {
                line.replace("\r\n", "\n");
                if (status) *status = Status::Ok;
                return QString::fromStdString(cp1252::toUtf8(line.toStdString()));
            }
            continue;
        }
        if (!file_.atEnd()) return say(Status::Corrupt);
        if (wrapped || !file_.seek(0)) return say(wrapped ? Status::NoTips : Status::Corrupt);
        wrapped = true;
    }
}

} // namespace tavrin::tools
