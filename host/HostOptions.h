#pragma once
// Command line of the demo host.

#include <QString>

struct HostOptions {
    QString database;      ///< the embedded VUQ database file
    QString company;       ///< code of the signed-in company
    QString plugin;        ///< path of libqelvan.so
    QString screenshot;    ///< when set: show the window, save a PNG of the screen there, exit
    bool runQuery = false; ///< with screenshot: run the summary before the picture
    bool print = false;    ///< with runQuery: press Print and picture the report preview instead
    int days = 1;          ///< with runQuery: how many days up to today the summary covers
    int delayMs = 1500;    ///< with screenshot: how long to let the window settle
};

/// Parses the application's arguments; exits with usage text on errors.
HostOptions parseHostOptions();
