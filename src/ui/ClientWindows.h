#pragma once

#include "ui/TAboutBox.h"
#include "ui/TForm1.h"
#include "ui/TfmRegSer.h"
#include "ui/TfrmLang.h"

// The client's four windows, created once in their fixed order and kept
// until the program ends: main window, About, registration, editor.
struct ClientWindows {
    ClientWindows(Messenger &messenger, Clock &clock)
        : Form1(messenger, clock)
        , AboutBox(&Form1)
        , fmRegSer(&Form1)
        , frmLang(&Form1)
    {
    }

    TForm1 Form1;
    TAboutBox AboutBox;
    TfmRegSer fmRegSer;
    TfrmLang frmLang;
};
