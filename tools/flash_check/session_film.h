#pragma once
// A session played on its own timeline with no screen: the program's window, settings and engine,
// paced by the program's own pacer on a clock that only jumps, and every refresh of the window
// handed over as a whole-window picture (the panel where the window puts it, the frame rings on
// the window's surface around it).

#include <QColor>
#include <QImage>
#include <QSize>
#include <QString>
#include <functional>

class QWidget;

namespace mirelta {

class Dialogs;

// Takes the window as it is for `refreshes` refreshes in a row; returns false to end the session
// there.
using FilmReel = std::function<bool(const QImage& window, long refreshes)>;

struct FilmSetup {
    QString folder; // a program folder: polufabu.ini, Text/, Image/, Sound/
    QSize window{1024, 768};
    double refreshHz = 60;
    // Sets what the settings file does not keep, on the window's controls, before "Старт".
    std::function<void(QWidget& window)> beforeStart;
};

enum class FilmEnd {
    Played,     // to the session's end
    Cut,        // the reel asked no more
    NotStarted, // the window did not start a session (its message went to the dialogs)
};

FilmEnd playSessionFilm(const FilmSetup& setup, Dialogs& dialogs, const FilmReel& reel);

} // namespace mirelta
