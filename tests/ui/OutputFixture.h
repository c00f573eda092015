#pragma once
// A window with a summary on screen, for printing and exporting: three
// products queried for 甲 from 10 to 12 May 2004, run in a scratch folder
// that serves as the current directory.

#include "WindowFixture.h"

#include "report/ReportHooks.h"
#include "report/Variables.h"

#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QTableView>
#include <QTemporaryDir>

namespace qelvan::test {

class OutputFixture : public WindowFixture {
protected:
    void SetUp() override
    {
        WindowFixture::SetUp();
        ASSERT_TRUE(work.isValid());
        previousDir = QDir::currentPath();
        QDir::setCurrent(work.path());
        report::clearVariables();
    }

    void TearDown() override
    {
        WindowFixture::TearDown();
        QDir::setCurrent(previousDir);
        report::clearVariables();
    }

    /// Codes in the database's order; quantities, amounts and taxes differ so
    /// each numeric column sorts the rows its own way.
    void answerSummary()
    {
        companies();
        vuq->answer("@LNK1", summaryRows({
                                 {"10000002", 4, 117, 17, 29.25, 100, "乙烟"},
                                 {"10000001", 10.25, 1000.5, -22.2, 97.6097, 1022.7, "甲烟"},
                                 {"10000003", -1.75, -20, 2, 11.428571, -22, "丙烟"},
                             }));
    }

    /// Opens the window and queries 甲 from 10 to 12 May 2004.
    TFm_Main& queried()
    {
        answerSummary();
        TFm_Main& w = open();
        w.dtp_qssj->setDate(QDate(2004, 5, 10));
        w.SB_locate->click();
        EXPECT_EQ(gridRows(), 3);
        return w;
    }

    /// As a header click does: the first click sorts ascending, the next one
    /// reverses.
    void clickHeader(const char* field)
    {
        const int column = window->dbg_xstgjfp2->model()->columnIndex(QLatin1String(field));
        emit window->dbg_xstgjfp2->view()->horizontalHeader()->sectionClicked(column);
    }

    /// The codes down the grid, as shown.
    QStringList gridCodes() const
    {
        QStringList codes;
        for (int r = 0; r < gridRows(); ++r)
            codes << window->dbg_xstgjfp2->model()->displayText(r, 0);
        return codes;
    }

    /// Lines of text compared as one string, so a failure reads as text.
    static std::string lines(const QStringList& list) { return list.join(QLatin1Char('\n')).toStdString(); }

    static void writeFile(const QString& path, const QByteArray& content)
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    }

    QTemporaryDir work;
    QString previousDir;
};

} // namespace qelvan::test
