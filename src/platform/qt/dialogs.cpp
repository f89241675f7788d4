#include "dialogs.h"

#include "../dos/paths.h"
#include "../dos/patterns.h"
#include "../nlist/textcodes.h"
#include "richtext.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QMainWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QStatusBar>

namespace {
// Shows directories, and files whose names match the pattern while the
// pattern's filter is the one chosen; with "All files" every file but icons.
class PatternFilter : public QSortFilterProxyModel {
public:
    PatternFilter(const std::string &pattern, bool rejectIcons) : rejectIcons_(rejectIcons)
    {
        parsed_.resize(pattern.size() * 2 + 2);
        if (pattern.empty() || ParsePatternNoCase(pattern.c_str(), parsed_.data(), LONG(parsed_.size())) < 0)
            parsed_.clear();
    }
    void Use(bool pattern)
    {
        usePattern_ = pattern;
        invalidateFilter();
    }

protected:
    bool filterAcceptsRow(int row, const QModelIndex &parent) const override
    {
        auto *fs = qobject_cast<QFileSystemModel *>(sourceModel());
        if (!fs)
            return true;
        QModelIndex index = fs->index(row, 0, parent);
        if (fs->isDir(index))
            return true;
        QByteArray name = QFile::encodeName(fs->fileName(index));
        if (rejectIcons_ && name.endsWith(".info"))
            return false;
        return !usePattern_ || parsed_.empty() || MatchPatternNoCase(parsed_.data(), name.constData());
    }

private:
    std::string parsed_;
    bool rejectIcons_;
    bool usePattern_ = true;
};

QString Shown(const std::string &s) { return PlainUiText(s.c_str()); }

QString AllFiles() { return QCoreApplication::translate("QFileDialog", "All Files (*)"); }

// The filter the pattern is used as, named as the program names it, with the
// globs that the dialog shows (and filters by as well, to the same effect).
QString PatternFilterName(const FileRequestSpec &spec)
{
    QStringList globs;
    for (const std::string &g : PatternAsGlobs(spec.pattern.c_str()))
        globs << QFile::decodeName(g.c_str());
    QString name = Shown(spec.patternName.empty() ? spec.pattern : spec.patternName);
    return name + " (" + (globs.isEmpty() ? QString("*") : globs.join(' ')) + ")";
}
}

// The pattern's filter and "All files", the one to open with first.
QStringList FileRequestFilters(const FileRequestSpec &spec)
{
    if (spec.pattern.empty())
        return {AllFiles()};
    QString named = PatternFilterName(spec);
    return spec.allFilesFirst ? QStringList{AllFiles(), named} : QStringList{named, AllFiles()};
}

LONG QtDialogs::Request(const std::string &title, const std::string &buttons, const std::string &text)
{
    QMessageBox box(parent_);
    box.setWindowTitle(Shown(title));
    box.setText(Shown(text));
    box.setIcon(QMessageBox::Warning);
    QStringList labels = Shown(buttons).split('|');
    std::vector<QAbstractButton *> made;
    for (int i = 0; i < labels.size(); ++i) {
        bool preset = labels[i].startsWith('*');   // the button Return presses
        QPushButton *b = box.addButton(labels[i].mid(preset ? 1 : 0),
                                       i + 1 == labels.size() ? QMessageBox::RejectRole : QMessageBox::AcceptRole);
        if (preset)
            box.setDefaultButton(b);
        made.push_back(b);
    }
    box.exec();
    for (size_t i = 0; i < made.size(); ++i)
        if (box.clickedButton() == made[i])
            return i + 1 == made.size() ? 0 : LONG(i + 1);
    return 0;
}

void QtDialogs::Notice(const std::string &text)
{
    auto *main = qobject_cast<QMainWindow *>(parent_.data());
    if (!main) {
        pending_ = text;
        return;
    }
    main->statusBar()->showMessage(Shown(text).replace('\n', ' '));
}

bool QtDialogs::FileRequest(const FileRequestSpec &spec, FileRequestResult &result)
{
    QFileDialog dialog(parent_, Shown(spec.title));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    // The program asks itself before it replaces a file; a second question
    // from the dialog would ask the same thing twice.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    auto *filter = new PatternFilter(spec.pattern, spec.rejectIcons);
    dialog.setProxyModel(filter);
    QStringList filters = FileRequestFilters(spec);
    dialog.setNameFilters(filters);
    dialog.selectNameFilter(filters.first());
    filter->Use(filters.first() != AllFiles());
    QObject::connect(&dialog, &QFileDialog::filterSelected,
                     [filter](const QString &f) { filter->Use(f != AllFiles()); });
    std::string drawer = spec.drawer.empty() ? std::string() : HostPath(spec.drawer.c_str());
    if (!drawer.empty())
        dialog.setDirectory(QFile::decodeName(drawer.c_str()));
    if (!spec.file.empty())
        dialog.selectFile(QFile::decodeName(spec.file.c_str()));
    dialog.setAcceptMode(spec.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(spec.save          ? QFileDialog::AnyFile
                       : spec.multiSelect ? QFileDialog::ExistingFiles
                                          : QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    FillFileRequestResult(dialog.selectedFiles(), result);
    return true;
}

// The drawer is the folder of the first file chosen, which is not the folder
// shown when the person typed a path; a file in another folder keeps its
// whole path. Names stay the host's bytes.
void FillFileRequestResult(const QStringList &chosen, FileRequestResult &result)
{
    QString drawer = QFileInfo(chosen.first()).absolutePath();
    result.drawer = QFile::encodeName(drawer).toStdString();
    for (const QString &f : chosen) {
        QFileInfo info(f);
        QString name = info.absolutePath() == drawer ? info.fileName() : info.absoluteFilePath();
        result.files.push_back(QFile::encodeName(name).toStdString());
    }
}
