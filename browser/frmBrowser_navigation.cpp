// frmBrowser's address box, window title, busy poll and toolbar commands: every
// command that starts the view's work switches the poll on, and the poll shows
// "Working..." until the view is idle and then the page's name.
#include "browser/frmBrowser.h"
#include "common/errors.h"

namespace browser {

void frmBrowser::cboAddress_Click() {
  if (SuppressNavigation) return;
  timTimer.Enabled(true);
  brwWebBrowser->Navigate(cboAddress.Text());
}

void frmBrowser::cboAddress_KeyPress(short& KeyAscii) {
  common::ResumeNext([this, &KeyAscii] {
    if (KeyAscii == 13) cboAddress_Click();
  });
}

void frmBrowser::brwWebBrowser_DownloadComplete() {
  common::ResumeNext([this] { Caption(brwWebBrowser->LocationName()); });
}

void frmBrowser::timTimer_Timer() {
  if (brwWebBrowser->Busy()) {
    Caption("Working...");
  } else {
    timTimer.Enabled(false);
    Caption(brwWebBrowser->LocationName());
  }
}

void frmBrowser::UpdateAddressHistory(std::string /*Address: not read*/) {
  Caption(brwWebBrowser->LocationName());
  const int last = cboAddress.ListCount() - 1;
  int found = -1;
  for (int i = 0; i <= last; ++i) {
    if (cboAddress.List(i) == brwWebBrowser->LocationURL()) {
      found = i;
      break;
    }
  }
  SuppressNavigation = true;
  // An error below still passes to the caller, but must not leave the address box
  // unable to navigate for the rest of the window's life.
  struct Unsuppress {
    bool& flag;
    ~Unsuppress() { flag = false; }
  } unsuppress{SuppressNavigation};
  if (found != -1) cboAddress.RemoveItem(found);
  cboAddress.AddItem(brwWebBrowser->LocationURL(), 0);
  // Selecting the new top entry raises cboAddress_Click, which the guard turns away.
  // While the user is typing an address the box is theirs: its text and cursor stay.
  if (!cboAddress.Editing()) cboAddress.ListIndex(0);
}

// Not of the design: the address box shows how far the page's load has come, which
// leaves the title to the busy poll.
void frmBrowser::brwWebBrowser_ProgressChange(double Progress) {
  cboAddress.ProgressFraction(Progress);
}

void frmBrowser::tbToolBar_ButtonClick(const std::string& Key) {
  common::ResumeNext([this] { timTimer.Enabled(true); });
  if (Key == "Back") {
    common::ResumeNext([this] { brwWebBrowser->GoBack(); });
  } else if (Key == "Forward") {
    common::ResumeNext([this] { brwWebBrowser->GoForward(); });
  } else if (Key == "Refresh") {
    common::ResumeNext([this] { brwWebBrowser->Refresh(); });
  } else if (Key == "Home") {
    common::ResumeNext([this] { brwWebBrowser->GoHome(); });
  } else if (Key == "Search") {
    common::ResumeNext([this] { brwWebBrowser->GoSearch(); });
  } else if (Key == "Stop") {
    common::ResumeNext([this] { timTimer.Enabled(false); },  //
                       [this] { brwWebBrowser->Stop(); },
                       [this] { Caption(brwWebBrowser->LocationName()); });
  }
  // Any other key does nothing more: the poll it switched on stops itself.
}

}  // namespace browser
