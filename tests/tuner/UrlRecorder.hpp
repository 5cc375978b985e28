#pragma once

#include <QDesktopServices>
#include <QObject>
#include <QString>
#include <QUrl>
#include <QVector>

namespace ovra::test {

// Takes the place of the desktop's browser for one URL scheme while it lives
// and keeps the URLs it was asked to open.
class UrlRecorder : public QObject {
    Q_OBJECT

public:
    explicit UrlRecorder(QString scheme) : myScheme(std::move(scheme)) {
        QDesktopServices::setUrlHandler(myScheme, this, "openUrl");
    }
    ~UrlRecorder() override { QDesktopServices::unsetUrlHandler(myScheme); }

    QVector<QUrl> opened;

public slots:
    void openUrl(const QUrl& url) { opened.push_back(url); }

private:
    QString myScheme;
};

} // namespace ovra::test
