// frmBrowser's find bar, which is not of the design: Ctrl+F opens it over the top of
// the page area, whose page gives up the bar's height while it is shown; typing finds
// the text as it goes, and the bar says which match of how many is selected.
#include <algorithm>

#include "browser/frmBrowser.h"
#include "common/errors.h"
#include "common/twips.h"

namespace browser {

void frmBrowser::OpenFindBar() {
  const bool reopened = !fbFind.get_visible();
  // Shown first: a hidden bar has no height to measure.
  fbFind.Open();
  fbFind.Top(brwWebBrowser.Top());
  fbFind.Height(common::PixelsToTwips(fbFind.NaturalHeight()));
  FitPageBelowFindBar();
  // The text left from the last time is found again.
  if (reopened && !fbFind.Text().empty()) fbFind_Change(fbFind.Text());
}

// The page area keeps its placement; the page itself starts below the bar, as far as
// the area is high enough.
void frmBrowser::FitPageBelowFindBar() {
  const int bar = fbFind.get_visible() ? common::TwipsToPixels(fbFind.Height()) : 0;
  brwWebBrowser.AsWidget().set_margin_top(
      std::min(bar, common::TwipsToPixels(brwWebBrowser.Height())));
}

void frmBrowser::fbFind_Change(const std::string& Text) {
  if (Text.empty()) {
    fbFind.Matches().Clear();
    common::ResumeNext([this] { brwWebBrowser->FindFinish(); });
  } else {
    fbFind.Matches().NewSearch();
    common::ResumeNext([this, &Text] { brwWebBrowser->FindText(Text); });
  }
  fbFind.ShowMatches();
}

void frmBrowser::fbFind_Next() {
  if (fbFind.Text().empty() || fbFind.Matches().None()) return;
  common::ResumeNext([this] { brwWebBrowser->FindNext(); });
  fbFind.Matches().Step(1);
  fbFind.ShowMatches();
}

void frmBrowser::fbFind_Previous() {
  if (fbFind.Text().empty() || fbFind.Matches().None()) return;
  common::ResumeNext([this] { brwWebBrowser->FindPrevious(); });
  fbFind.Matches().Step(-1);
  fbFind.ShowMatches();
}

void frmBrowser::fbFind_Close() {
  fbFind.set_visible(false);
  FitPageBelowFindBar();
  brwWebBrowser.AsWidget().grab_focus();
  fbFind.Matches().Clear();
  fbFind.ShowMatches();
  common::ResumeNext([this] { brwWebBrowser->FindFinish(); });
}

void frmBrowser::brwWebBrowser_MatchesCounted(int Count) {
  // A count that arrives after the bar closed belongs to no search shown.
  if (!fbFind.get_visible() || fbFind.Text().empty()) return;
  fbFind.Matches().Counted(Count);
  fbFind.ShowMatches();
}

}  // namespace browser
