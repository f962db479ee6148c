// Saving after undo: a drawing whose changes were all undone writes its file back unchanged,
// and entities brought back after a save are written again.
#include "dxf/drawing.h"
#include "dxf/reader.h"
#include "dxf_test_support.h"

#include "cad/automation.h"
#include "cad/memory/application.h"

#include <gtest/gtest.h>

namespace dxf {
namespace {

using namespace Qt::StringLiterals;
namespace memory = cad::memory;

class UndoThenSave : public ::testing::TestWithParam<const char*> {
protected:
    QByteArray original() const {
        return test::fileBytes(test::drawingsDir() + u'/' + QString::fromUtf8(GetParam()));
    }
};

TEST_P(UndoThenSave, AnUndoneOperationSavesTheOriginalBytes) {
    const QByteArray bytes = original();
    auto app = memory::Application::create();
    auto loaded = loadDrawingBytes(*app, bytes, u"a.dxf"_s);
    ASSERT_TRUE(loaded.ok());
    memory::Document& drawing = *loaded.value();
    ASSERT_GE(drawing.modelSpace().entities.size(), 2u);
    ASSERT_FALSE(drawing.isModified());

    cad::Document document(loaded.value());
    cad::ModelSpace ms = document.ModelSpace();
    {
        cad::UndoGroup operation(document);
        ms.Item(1).Delete();
        ms.Item(0).Color(3);
        ms.AddLine({0, 0, 0}, {10, 0, 0});
        document.Layers().Add(u"新层"_s).Color(5);
        document.SetVariable(u"CLAYER"_s, u"新层"_s);
    }
    ASSERT_TRUE(drawing.undo());
    EXPECT_FALSE(drawing.isModified());
    EXPECT_EQ(drawingBytes(drawing), bytes);
}

TEST_P(UndoThenSave, EntitiesBroughtBackAfterASaveAreSavedAgain) {
    auto app = memory::Application::create();
    auto loaded = loadDrawingBytes(*app, original(), u"a.dxf"_s);
    ASSERT_TRUE(loaded.ok());
    memory::Document& drawing = *loaded.value();
    cad::ModelSpace ms = cad::Document(loaded.value()).ModelSpace();
    const QString erased = ms.Item(0).Handle();
    const QString added = ms.AddLine({0, 0, 0}, {10, 0, 0}).Handle();
    ms.Item(0).Delete();
    drawingBytes(drawing);
    ASSERT_TRUE(drawing.undo());  // the erase
    ASSERT_TRUE(drawing.undo());  // the line
    drawingBytes(drawing);
    ASSERT_TRUE(drawing.redo());  // the line again

    const Result<Document> saved = readBytes(drawingBytes(drawing), u"b.dxf"_s);
    ASSERT_TRUE(saved.ok());
    QStringList handles;
    for (const auto& [code, value] : test::flatTags(saved.value())) {
        if (code == 5)
            handles << QString::fromLatin1(value);
    }
    EXPECT_TRUE(handles.contains(erased)) << handles.join(u' ').toStdString();
    EXPECT_TRUE(handles.contains(added)) << handles.join(u' ').toStdString();
}

INSTANTIATE_TEST_SUITE_P(Versions, UndoThenSave, ::testing::Values("r2000_gbk.dxf", "r2010.dxf"));

}  // namespace
}  // namespace dxf
