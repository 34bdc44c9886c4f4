// See storage_watcher.h.
#include "views/storage_watcher.h"

#include <QDir>

#include "shell/scan_roots.h"

CStorageWatcher::CStorageWatcher(QObject* parent) : CStorageWatcher(DesktopMountFolders(), parent) {}

CStorageWatcher::CStorageWatcher(const QStringList& folders, QObject* parent)
    : QObject(parent) {
  for (const QString& folder : folders) m_folders << QDir::cleanPath(folder);
  m_timer.setSingleShot(true);
  m_timer.setInterval(kReloadDelayMs);
  connect(&m_timer, &QTimer::timeout, this, &CStorageWatcher::reloadBooksRequested);
  connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, &CStorageWatcher::FolderChanged);
  // What is mounted at start-up is in the book list already.
  TakeUpFolders();
  m_started = true;
}

QStringList CStorageWatcher::DesktopMountFolders() {
  QString user = qEnvironmentVariable("USER");
  QStringList folders;
  for (const std::string& parent : RemovableMountParents()) {
    QString p = QString::fromStdString(parent);
    folders << p;
    if (!user.isEmpty() && !user.contains(QLatin1Char('/'))) folders << p + QLatin1Char('/') + user;
  }
  return folders;
}

QSet<QString> CStorageWatcher::Subfolders(const QString& folder) const {
  const QStringList names = QDir(folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden);
  return QSet<QString>(names.begin(), names.end());
}

bool CStorageWatcher::TakeUpFolders() {
  bool arrived = false;
  for (const QString& folder : m_folders) {
    if (m_seen.contains(folder) || !QDir(folder).exists() || !m_watcher.addPath(folder)) continue;
    QSet<QString> subfolders = Subfolders(folder);
    // A folder of the list appearing later is no card, but what it
    // already holds is.
    for (const QString& name : subfolders)
      if (m_started && !m_folders.contains(QDir(folder).filePath(name))) arrived = true;
    m_seen.insert(folder, subfolders);
  }
  return arrived;
}

void CStorageWatcher::FolderChanged(const QString& folder) {
  bool arrived = false;
  if (!QDir(folder).exists()) {
    // Gone (its parent's watch takes it up again if it comes back).
    m_watcher.removePath(folder);
    m_seen.remove(folder);
  } else {
    QSet<QString> now = Subfolders(folder);
    for (const QString& name : now)
      if (!m_seen[folder].contains(name) && !m_folders.contains(QDir(folder).filePath(name))) arrived = true;
    m_seen[folder] = now;
  }
  if (TakeUpFolders()) arrived = true;
  if (arrived) Arrived();
}

void CStorageWatcher::Arrived() {
  if (m_reloadOnResume && !m_timer.isActive()) m_timer.start();
}
