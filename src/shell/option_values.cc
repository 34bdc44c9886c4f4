// See option_values.h.
#include "shell/option_values.h"

#include "shell/settings.h"

namespace {

// One list of field pairs serves both directions, so a field added to the
// sheet cannot be read without being stored, or the other way round.
class CExchange {
 public:
  explicit CExchange(bool store) : m_store(store) {}
  template <typename T>
  void operator()(T& setting, T& value) const {
    if (m_store) setting = value;
    else value = setting;
  }

 private:
  bool m_store;
};

void Exchange(CSettings& s, OptionValues& v, bool store) {
  CExchange x(store);
  FontPageOptions& f = v.font;
  x(s.fontName, f.fontName);
  x(s.fontNameEBG, f.fontNameEBG);
  x(s.fontNameEBXAC, f.fontNameEBXAC);
  x(s.bClearType, f.bClearType);
  x(s.bUseItalic, f.bUseItalic);
  x(s.bUseBold, f.bUseBold);
  x(s.bAdjustGaiji, f.bAdjustGaiji);
  x(s.bULLink, f.bULLink);
  x(s.bHighlight, f.bHighlight);
  x(s.fontSizeList, f.fontSizeList);
  x(s.fontSize, f.fontSize);
  x(s.lineSpacing, f.lineSpacing);
  x(s.bRuledLine, f.bRuledLine);
  LayoutPageOptions& l = v.layout;
  x(s.bStretchImg, l.bStretchImg);
  x(s.bInlineImage, l.bInlineImage);
  x(s.bPreView, l.bPreView);
  x(s.bFullScreen, l.bFullScreen);
  x(s.lenDictName, l.lenDictName);
  x(s.leftMargin, l.leftMargin);
  x(s.layout, l.layout);
  x(s.focusAfterSearch, l.focusAfterSearch);
  x(s.bUseSystemColor, l.bUseSystemColor);
  OptionPageOptions& o = v.other;
  x(s.bMultiApp, o.bMultiApp);
  x(s.bNoticeNoHit, o.bNoticeNoHit);
  x(s.romakana, o.romakana);
  x(s.bTrimPunctuation, o.bTrimPunctuation);
  x(s.bMonitorClipboard, o.bMonitorClipboard);
  x(s.ime_control, o.ime_control);
  x(s.bTaskTray, o.bTaskTray);
  x(s.bAutoClip, o.bAutoClip);
  x(s.bReloadOnResume, o.bReloadOnResume);
  x(s.maxBufSize, o.maxBufSize);
  x(s.EBXA_sampling, o.EBXA_sampling);
  x(s.mpegPlayerPath, o.mpegPlayerPath);
  x(s.language, o.language);
}

}  // namespace

OptionValues OptionValuesOf(const CSettings& settings) {
  OptionValues v;
  Exchange(const_cast<CSettings&>(settings), v, false);  // reads only
  return v;
}

void StoreOptionValues(const OptionValues& values, CSettings* settings) {
  OptionValues v = values;
  Exchange(*settings, v, true);
}

unsigned OptionChanges(const OptionValues& before, const OptionValues& after) {
  unsigned changed = 0;
  const FontPageOptions& a = before.font;
  const FontPageOptions& b = after.font;
  FontPageOptions aWithoutList = a, bWithoutList = b;
  aWithoutList.fontSizeList = bWithoutList.fontSizeList = 0;
  if (aWithoutList != bWithoutList) changed |= kChangedContentFonts;
  if (a.fontName != b.fontName || a.fontNameEBG != b.fontNameEBG || a.fontSizeList != b.fontSizeList ||
      a.bClearType != b.bClearType)
    changed |= kChangedListFonts;
  if (before.layout != after.layout) changed |= kChangedLayoutPage;
  if (before.layout.leftMargin != after.layout.leftMargin) changed |= kChangedLeftMargin;
  if (before.other != after.other) changed |= kChangedOptionPage;
  if (before.other.bTaskTray != after.other.bTaskTray) changed |= kChangedTrayIcon;
  return changed;
}

unsigned AcceptOptions(CSettings& settings, const OptionValues& edited, bool* saved, RenameFunction renameFn) {
  unsigned changed = OptionChanges(OptionValuesOf(settings), edited);
  StoreOptionValues(edited, &settings);
  bool ok = settings.SaveGlobals(renameFn);
  if (saved != nullptr) *saved = ok;
  return changed;
}
