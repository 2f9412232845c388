#pragma once
// The program's links. Every link leads to a page of the maker and opens in
// the program's own web window, never in an outside browser; openLink is the
// one way in for every window that offers a link.

#include <QString>

namespace pictavo {

enum class Link {
  UpdateNews,       // "检查更新(&U)..." and the new-canvas banner: the update post on the blog
  MicroblogFirst,   // "官方微博(搜狐)(&S)"
  MicroblogSecond,  // "官方微博(腾讯)(&T)"
  HomePage,         // the About box picture: the maker's personal home page
  ProductDownload,  // the new-canvas advert label: download page of the other product
  FeedbackForum,    // the error window's "我要反馈"
};

// The page address behind a link: a file address of a page shipped in the
// program's Data folder ("web/update.html", ...).
QString linkAddress(Link link);

// Shows the web window without waiting (creating it on first use, reusing it
// afterwards) and navigates it to the link's page. Callers that are modal
// dialogs hide themselves first and close right after, so the web window
// must end up in front once the dialog has gone. Never throws.
void openLink(Link link);

}  // namespace pictavo
