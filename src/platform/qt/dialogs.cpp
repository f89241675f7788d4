#include "dialogs.h"

#include "../dos/paths.h"
#include "../dos/patterns.h"
#include "../nlist/textcodes.h"
#include "richtext.h"

#include <QFileDialog>
#include <QFileSystemModel>
#include <QMessageBox>
#include <QPushButton>
#include <QSortFilterProxyModel>

namespace {
// Shows directories, and files whose names match the pattern.
class PatternFilter : public QSortFilterProxyModel {
public:
    PatternFilter(const std::string &pattern, bool rejectIcons) : rejectIcons_(rejectIcons)
    {
        parsed_.resize(pattern.size() * 2 + 2);
        if (pattern.empty() || ParsePatternNoCase(pattern.c_str(), parsed_.data(), LONG(parsed_.size())) < 0)
            parsed_.clear();
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
        return parsed_.empty() || MatchPatternNoCase(parsed_.data(), name.constData());
    }

private:
    std::string parsed_;
    bool rejectIcons_;
};

QString Shown(const std::string &s) { return PlainUiText(s.c_str()); }
}

LONG QtDialogs::Request(const std::string &title, const std::string &buttons, const std::string &text)
{
    QMessageBox box(parent_);
    box.setWindowTitle(Shown(title));
    box.setText(Shown(text));
    box.setIcon(QMessageBox::Warning);
    QStringList labels = Shown(buttons).split('|');
    std::vector<QAbstractButton *> made;
    for (int i = 0; i < labels.size(); ++i)
        made.push_back(box.addButton(labels[i], i + 1 == labels.size() ? QMessageBox::RejectRole
                                                                         : QMessageBox::AcceptRole));
    box.exec();
    for (size_t i = 0; i < made.size(); ++i)
        if (box.clickedButton() == made[i])
            return i + 1 == made.size() ? 0 : LONG(i + 1);
    return 0;
}

bool QtDialogs::FileRequest(const FileRequestSpec &spec, FileRequestResult &result)
{
    QFileDialog dialog(parent_, Shown(spec.title));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setProxyModel(new PatternFilter(spec.pattern, spec.rejectIcons));
    std::string drawer = spec.drawer.empty() ? std::string() : HostPath(spec.drawer.c_str());
    if (!drawer.empty())
        dialog.setDirectory(QFile::decodeName(drawer.c_str()));
    if (!spec.file.empty())
        dialog.selectFile(QFile::decodeName(spec.file.c_str()));
    dialog.setAcceptMode(spec.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(spec.save ? QFileDialog::AnyFile : spec.multiSelect ? QFileDialog::ExistingFiles
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
