#pragma once
// The version box.

#include <QDialog>

class CVersionDialog : public QDialog {
    Q_OBJECT
  public:
    explicit CVersionDialog(QWidget* parent = nullptr);
    static const char kVersionLine[];
};
