#pragma once
// The embedded demo databases in a folder of their own, and a fingerprint of
// every file in a folder to show that nothing in it changed.

#include "DemoGenerator.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <map>
#include <memory>
#include <stdexcept>

namespace qelvan::test {

/// The demo data set tests rely on: seed 20240315, last sales day 2024-03-15.
inline const QDate kDemoEndDate(2024, 3, 15);

/// Generates the small demo data into a fresh temporary folder.
inline std::unique_ptr<QTemporaryDir> makeDemoFolder()
{
    auto dir = std::make_unique<QTemporaryDir>();
    if (!dir->isValid())
        throw std::runtime_error("no temporary folder");
    demo::DemoOptions options;
    options.outDir = dir->path().toStdString();
    options.seed = 20240315;
    options.endDate = kDemoEndDate;
    demo::generateDemoData(options);
    return dir;
}

/// File name to size and SHA-256 of its bytes, for every entry of `folder`
/// (so a new journal or lock file shows up as well).
inline std::map<QString, QByteArray> fingerprint(const QString& folder)
{
    std::map<QString, QByteArray> out;
    const QDir dir(folder);
    for (const QString& name : dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)) {
        QFile file(dir.filePath(name));
        QByteArray print = QByteArray::number(file.size()) + ' ';
        if (file.open(QIODevice::ReadOnly)) {
            QCryptographicHash hash(QCryptographicHash::Sha256);
            hash.addData(&file);
            print += hash.result().toHex();
        }
        out[name] = print;
    }
    return out;
}

} // namespace qelvan::test
