#pragma once

#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace verdalo {

// Edits one of the shop's receipt templates with a live preview on a sample order; "保存" writes it back.
class TReportDesigner : public QDialog
{
    Q_OBJECT
public:
    // `path`: the template file; when it does not exist the editor starts from the program's default.
    TReportDesigner(QString path, QWidget *parent = nullptr);

    QPlainTextEdit *editor = nullptr;
    QLabel *preview = nullptr;
    QLabel *problems = nullptr;
    QPushButton *saveButton = nullptr;

    bool save();
    void refresh();

private:
    QString m_path;
};

} // namespace verdalo
