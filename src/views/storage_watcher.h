// CStorageWatcher: notices a storage card (a USB stick, an SD card, a
// disc) arriving, and asks for the book list to be read again.
//
// The desktop mounts a removable volume in a folder it creates below
// /media/USER or /run/media/USER (scan_roots.h). The watcher follows
// those folders with QFileSystemWatcher; a folder that appears in one of
// them is an arrival. An arrival starts the frame's 500 ms single-shot
// timer (timer 102) when reloading is on (bReloadOnResume) and the timer
// isn't already running; when the timer fires, reloadBooksRequested is
// emitted, and the main window answers it as UM_RELOAD_BOOKS
// (CFrame::ReloadBooks, re-reading the current group file). The delay
// lets the mount finish and gathers the arrivals of a card with several
// partitions into one reload. A card leaving changes nothing.
//
//   CStorageWatcher watcher;                        // the desktop's folders
//   watcher.SetReloadOnResume(settings.bReloadOnResume);
//   connect(&watcher, &CStorageWatcher::reloadBooksRequested, this,
//           [this] { ReloadBooks(); });
//
// Folders that do not exist yet (/media/USER before the first card) are
// taken up as soon as they appear in a watched parent; when one appears
// with a card already inside, that card counts as arrived. Tests hand in
// their own folders in place of the desktop's.
#ifndef TOMELING_VIEWS_STORAGE_WATCHER_H_
#define TOMELING_VIEWS_STORAGE_WATCHER_H_

#include <QFileSystemWatcher>
#include <QHash>
#include <QObject>
#include <QSet>
#include <QStringList>
#include <QTimer>

class CStorageWatcher : public QObject {
  Q_OBJECT

 public:
  // The frame's timer 102.
  static constexpr int kReloadDelayMs = 500;

  // Watches the desktop's mount folders: /media, /media/USER, /run/media
  // and /run/media/USER.
  explicit CStorageWatcher(QObject* parent = nullptr);
  // Watches `folders`, parents before their children.
  explicit CStorageWatcher(const QStringList& folders, QObject* parent = nullptr);

  // bReloadOnResume: whether an arrival starts the timer. Turning it off
  // leaves a running timer to fire.
  void SetReloadOnResume(bool on) { m_reloadOnResume = on; }
  bool ReloadOnResume() const { return m_reloadOnResume; }
  bool TimerActive() const { return m_timer.isActive(); }
  // The folders being watched now (those of the list that exist).
  QStringList WatchedFolders() const { return m_watcher.directories(); }

  static QStringList DesktopMountFolders();

 signals:
  // Timer 102 fired: the book list should be read again.
  void reloadBooksRequested();

 private:
  void FolderChanged(const QString& folder);
  // Starts watching every listed folder that exists now; true when a card
  // was found in a folder taken up late.
  bool TakeUpFolders();
  QSet<QString> Subfolders(const QString& folder) const;
  void Arrived();

  QStringList m_folders;
  QHash<QString, QSet<QString>> m_seen;  // folder -> its subfolders
  QFileSystemWatcher m_watcher;
  QTimer m_timer;
  bool m_reloadOnResume = true;
  bool m_started = false;
};

#endif  // TOMELING_VIEWS_STORAGE_WATCHER_H_
