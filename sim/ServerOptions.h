#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>

namespace sim {

// How the stand-in behaves on the line, faults for tests included.
struct ServerOptions {
    qint32 baud = 115200;
    bool verbose = false;

    bool silent = false;     // takes every line, answers none
    int replyDelayMs = 0;    // each reply leaves this long after its line arrived
    int leadingBlanks = 0;   // blanks before every reply
    int garbageBytes = 0;    // noise bytes (never CR or LF) before every reply
    int closeAfterLines = 0; // pull the cable after answering this many lines; 0 never
    // A fixed reply for a line, which the interpreter then never sees. Keys are compared
    // upper-cased and without surrounding blanks.
    QList<QPair<QByteArray, QByteArray>> fixedReplies;
};

} // namespace sim
