#pragma once

#include "ui/TAboutBox.h"
#include "ui/TForm1.h"
#include "ui/TfmRegSer.h"
#include "ui/TfrmLang.h"

// The client's four windows, created once in their fixed order and kept
// until the program ends: main window, About, registration, editor.
struct ClientWindows {
    ClientWindows(Messenger &messenger, Clock &clock, const TForm1::Options &options = {})
        : Form1(messenger, clock, options)
        , AboutBox(&Form1)
        , fmRegSer(&Form1)
        , frmLang(&Form1)
    {
        Form1.setRegistrationWindow(&fmRegSer);
    }

    TForm1 Form1;
    TAboutBox AboutBox;
    TfmRegSer fmRegSer;
    TfrmLang frmLang;
};
