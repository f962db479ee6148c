// Walks fetch items in ranges with the members read so far, without changing any result.
#include <QCoreApplication>

#include "remote_fixture.h"

namespace remote_test {
namespace {

using namespace Qt::StringLiterals;

class RemotePrefetch : public RemoteDrawing {
protected:
    // A drawing of every kind a walk meets, some on their own layer.
    void drawMixedKinds(int n) {
        server.run([&] {
            cad::Document doc = local().ActiveDocument();
            doc.Layers().Add(u"E-LIGHT"_s);
            cad::ModelSpace ms = doc.ModelSpace();
            for (int i = 0; i < n; ++i) {
                cad::Entity e = i % 3 == 0   ? ms.AddText(QString::number(i), {double(i), 0, 0}, 2)
                                : i % 3 == 1 ? ms.AddLine({double(i), 0, 0}, {double(i), 5, 0})
                                             : ms.AddArc({double(i), 0, 0}, 1 + i, 0, 1);
                if (i % 4 == 0) {
                    e.Layer(u"E-LIGHT"_s);
                }
            }
        });
    }

    // What a whole-document walk reads, failures included, as one text per entity.
    static QStringList walk(const cad::Application& acad) {
        cad::ModelSpace ms = acad.ActiveDocument().ModelSpace();
        QStringList seen;
        for (int i = 0; i < ms.Count(); ++i) {
            cad::Entity e = ms.Item(i);
            QString line = e.EntityName() + u' ' + e.Layer();
            try {
                line += u' ' + e.TextString();
            } catch (const cad::Error& err) {
                line += u" !"_s + err.message();
            }
            try {
                line += u' ' + QString::number(e.Radius());
            } catch (const cad::Error& err) {
                line += u" !"_s + err.message();
            }
            seen.append(line);
        }
        return seen;
    }

    QString textOnServer(int index) {
        QString text;
        server.run([&] { text = local().ActiveDocument().ModelSpace().Item(index).TextString(); });
        return text;
    }

    void writeOnServer(int index, const QString& text) {
        server.run([&] { local().ActiveDocument().ModelSpace().Item(index).TextString(text); });
    }
};

TEST_F(RemotePrefetch, AWalkReadsExactlyWhatTheDrawingItselfGives) {
    drawMixedKinds(700);
    QStringList direct;
    server.run([&] { direct = walk(local()); });
    const cad::Application acad = attach();
    EXPECT_EQ(walk(acad), direct);
    // A second walk in the same operation, served from what is still prefetched.
    EXPECT_EQ(walk(acad), direct);
    EXPECT_THROW(acad.ActiveDocument().ModelSpace().Item(700), cad::Error);
    EXPECT_THROW(acad.ActiveDocument().ModelSpace().Item(-1), cad::Error);
}

TEST_F(RemotePrefetch, AWriteDropsWhatWasPrefetched) {
    drawMixedKinds(30);
    cad::ModelSpace ms = attach().ActiveDocument().ModelSpace();
    EXPECT_EQ(ms.Item(0).TextString(), u"0"_s);
    writeOnServer(3, u"changed in the window"_s);
    ms.Item(0).TextString(u"written by us"_s);
    EXPECT_EQ(ms.Item(3).TextString(), u"changed in the window"_s);
    EXPECT_EQ(textOnServer(0), u"written by us"_s);
}

TEST_F(RemotePrefetch, TheEventLoopRunningDropsWhatWasPrefetched) {
    drawMixedKinds(30);
    cad::ModelSpace ms = attach().ActiveDocument().ModelSpace();
    EXPECT_EQ(ms.Item(0).TextString(), u"0"_s);
    writeOnServer(3, u"between two operations"_s);
    QCoreApplication::processEvents();
    EXPECT_EQ(ms.Item(3).TextString(), u"between two operations"_s);
}

}  // namespace
}  // namespace remote_test
