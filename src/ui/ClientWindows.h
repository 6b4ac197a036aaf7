#pragma once

#include "app/ClientSession.h"
#include "ui/TAboutBox.h"
#include "ui/TForm1.h"
#include "ui/TfmRegSer.h"
#include "ui/TfrmLang.h"

// The client's session and its four windows, created once in their fixed
// order and kept until the program ends: main window, About, registration,
// editor. The windows go before the session they show.
struct ClientWindows {
    ClientWindows(Messenger &messenger, const Clock &clock,
                  const ClientSession::Options &options = {})
        : session(messenger, clock, options)
        , Form1(session, clock)
        , AboutBox(session, &Form1)
        , fmRegSer(session, &Form1)
        , frmLang(session, Form1, &Form1)
    {
        Form1.setRegistrationWindow(&fmRegSer);
        Form1.setLanguageWindows(&AboutBox, &frmLang);
    }

    ClientSession session;
    TForm1 Form1;
    TAboutBox AboutBox;
    TfmRegSer fmRegSer;
    TfrmLang frmLang;
};
