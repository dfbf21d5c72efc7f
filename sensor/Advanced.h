#pragma once

#include <QWidget>

// The advanced page.
class Advanced : public QWidget {
    Q_OBJECT
public:
    explicit Advanced(QWidget* parent = nullptr);
};
