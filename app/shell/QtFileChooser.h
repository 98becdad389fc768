// The real dialogs behind the file chooser interface.
#pragma once

#include "services/FileChooser.h"

#include <QFont>

class QWidget;

class QtFileChooser : public FileChooser {
public:
    explicit QtFileChooser(QWidget* parent = nullptr) : parent(parent) {}
    QString chooseOpen(const FileRequest& request) override;
    QString chooseSave(const FileRequest& request) override;
    bool chooseFont(const QFont& initial, QFont& chosen) override;

    QWidget* parent;
};
