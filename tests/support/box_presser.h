// Presses OK on every message box the moment it is up, the way a person would, and notes what
// each box showed. Anything else left modal is closed after a while, so a test fails, never hangs.
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <QtTest>

#include <vector>

struct SeenBox
{
    QString text;
    QString title;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    qsizetype buttons = 0;
    bool okButton = false;
    Qt::WindowModality modality = Qt::NonModal;
    QWidget* parent = nullptr;
};

class BoxPresser
{
public:
    std::vector<SeenBox> seen;
    bool watchdogFired = false;

    BoxPresser()
    {
        m_presser.setInterval(10);
        QObject::connect(&m_presser, &QTimer::timeout, [this] { pressOk(); });
        m_presser.start();
        m_watchdog.setSingleShot(true);
        QObject::connect(&m_watchdog, &QTimer::timeout, [this] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                watchdogFired = true;
                modal->close();
            }
        });
        m_watchdog.start(10'000);
    }

private:
    void pressOk()
    {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible())
            return;
        QAbstractButton* ok = box->button(QMessageBox::Ok);
        seen.push_back({box->text(), box->windowTitle(), box->icon(), box->buttons().size(), ok != nullptr,
                        box->windowModality(), box->parentWidget()});
        if (ok)
            QTest::mouseClick(ok, Qt::LeftButton);
        else
            box->done(0);
    }

    QTimer m_presser;
    QTimer m_watchdog;
};
