#include "fixture.h"
#include "indexedgroup.h"
#include "pictures.h"

#include <QFile>
#include <QTest>

class TestPicturesAndGroups : public QObject {
    Q_OBJECT
private slots:
    void loading_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("content");  // written instead of a picture when set
        QTest::addColumn<bool>("loads");
        QTest::newRow("bmp") << "a.bmp" << QByteArray() << true;
        QTest::newRow("jpeg") << "a.jpg" << QByteArray() << true;
        QTest::newRow("jpeg named .bmp") << "b.jpg>c.bmp" << QByteArray() << true;
        QTest::newRow("missing") << "" << QByteArray() << false;
        QTest::newRow("not a picture") << "d.jpg" << QByteArray("hello, this is text") << false;
        QTest::newRow("empty file") << "e.bmp" << QByteArray("\0", 0) << false;
    }
    void loading()
    {
        QFETCH(QString, file);
        QFETCH(QByteArray, content);
        QFETCH(bool, loads);
        Fixture f;
        QString path = f.folder() + "/none.bmp";
        if (file.contains('>')) {
            const QString written = f.writePicture(file.section('>', 0, 0), Qt::red, 20, 10);
            path = f.folder() + '/' + file.section('>', 1);
            QFile::rename(written, path);
        } else if (!file.isEmpty() && content.isNull()) {
            path = f.writePicture(file, Qt::red, 20, 10);
        } else if (!file.isEmpty()) {
            path = f.folder() + '/' + file;
            QFile out(path);
            QVERIFY(out.open(QIODevice::WriteOnly));
            out.write(content);
        }
        const auto picture = loadPicture(path);
        QCOMPARE(picture.has_value(), loads);
        if (loads)
            QCOMPARE(picture->size(), QSize(20, 10));
    }

    void aPhonePhotoStandsUpright()
    {
        Fixture f;
        const QString photo = f.writeSidewaysPhoto("写真/phone.jpg", 40, 20);
        QVERIFY(isStoredTurned(photo));
        const auto picture = loadPicture(photo);
        QVERIFY(picture.has_value());
        QCOMPARE(picture->size(), QSize(20, 40));
        QVERIFY(picture->pixelColor(10, 5).red() > 200 && picture->pixelColor(10, 5).blue() < 60);
        QVERIFY(picture->pixelColor(10, 35).blue() > 200 && picture->pixelColor(10, 35).red() < 60);

        // Written out as JPEG it stays upright, with no tag left to turn it.
        const QString jpeg = f.folder() + "/photo1.jpg";
        QVERIFY(SavetoJPEG(photo, jpeg));
        QVERIFY(!isStoredTurned(jpeg));
        QCOMPARE(loadPicture(jpeg)->size(), QSize(20, 40));
        QVERIFY(!isStoredTurned(f.writePicture("写真/plain.jpg", Qt::red, 40, 20)));
    }

    void jpegFromBmp()
    {
        Fixture f;
        const QString bmp = f.writePicture("写真/a.bmp", Qt::blue, 40, 30);
        const QString jpeg = f.folder() + "/photo0.jpg";
        QVERIFY(SavetoJPEG(bmp, jpeg));
        QCOMPARE(fileBytes(jpeg).left(2), QByteArray("\xFF\xD8"));
        QCOMPARE(loadPicture(jpeg)->size(), QSize(40, 30));
        QVERIFY(!SavetoJPEG(f.folder() + "/missing.bmp", f.folder() + "/x.jpg"));
        QVERIFY(!QFile::exists(f.folder() + "/x.jpg"));
    }

    void indexedGroup()
    {
        struct Member {
            int index = 0;
            QString caption = "bulb";
        };
        IndexedGroup<Member> group(std::make_unique<Member>());
        QVERIFY(group.exists(0));
        QVERIFY(!group.exists(5));
        group.at(0).caption = "first";
        Member& five = group.create(5);
        QCOMPARE(five.index, 5);
        QCOMPARE(five.caption, QStringLiteral("first"));  // a copy of member 0
        QVERIFY(!group.exists(3));                        // holes stay holes
        QCOMPARE(group.upperBound(), 6);
        QVERIFY_THROWS_EXCEPTION(IndexExists, group.create(5));
        QVERIFY_THROWS_EXCEPTION(IndexExists, group.create(0));
    }
};

QTEST_GUILESS_MAIN(TestPicturesAndGroups)
#include "test_pictures_and_groups.moc"
