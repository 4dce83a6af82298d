#include "app/XmlFile.h"

#include <gtest/gtest.h>

namespace {

TEST(XmlFile, RootIsTheFirstElementPastDeclarationCommentsAndInstructions)
{
    const auto r = cf::xml::parse(
        "<?xml version=\"1.0\"?><!-- note --><?app x?><Other><a>1</a></Other>", QStringLiteral("t.xml"));
    ASSERT_TRUE(r.loaded());
    EXPECT_EQ(cf::xml::rootElement(r.document).tagName(), QStringLiteral("Other"));
}

TEST(XmlFile, OnlyElementsCountAsChildren)
{
    const auto r = cf::xml::parse("<r><!-- c --><row a=\"1\"/>text<row a=\"2\"/><?pi?></r>", QStringLiteral("t.xml"));
    ASSERT_TRUE(r.loaded());
    const auto rows = cf::xml::childElements(cf::xml::rootElement(r.document));
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows[1].attribute(QStringLiteral("a")), QStringLiteral("2"));
}

TEST(XmlFile, PlainTextAndAttributesTellMissingFromEmpty)
{
    const auto r = cf::xml::parse("<r><e/><f>x<g/></f><h>a&amp;b</h><row k=\"\"/></r>", QStringLiteral("t.xml"));
    const QDomElement root = cf::xml::rootElement(r.document);
    EXPECT_EQ(cf::xml::plainText(cf::xml::childElement(root, QStringLiteral("e"))), QString());
    EXPECT_FALSE(cf::xml::plainText(cf::xml::childElement(root, QStringLiteral("f"))).has_value());
    EXPECT_FALSE(cf::xml::plainText(cf::xml::childElement(root, QStringLiteral("missing"))).has_value());
    EXPECT_EQ(cf::xml::plainText(cf::xml::childElement(root, QStringLiteral("h"))), QStringLiteral("a&b"));
    const QDomElement row = cf::xml::childElement(root, QStringLiteral("row"));
    EXPECT_EQ(cf::xml::attribute(row, QStringLiteral("k")), QString());
    EXPECT_FALSE(cf::xml::attribute(row, QStringLiteral("z")).has_value());
}

TEST(XmlFile, MalformedNamesFileLineAndColumn)
{
    const auto r = cf::xml::parse("<r>\n<a></b>\n</r>", QStringLiteral("/p/ParGen.xml"));
    EXPECT_EQ(r.status, cf::xml::LoadResult::Status::Malformed);
    EXPECT_TRUE(r.error.startsWith(QStringLiteral("/p/ParGen.xml: line 2, column "))) << r.error.toStdString();
}

TEST(XmlFile, MissingFileIsNotAnError)
{
    const auto r = cf::xml::loadFile(QStringLiteral("/nonexistent/dir/file.xml"));
    EXPECT_EQ(r.status, cf::xml::LoadResult::Status::Missing);
    EXPECT_FALSE(r.failed());
}

TEST(XmlFile, WritesWithoutDeclarationOrIndentation)
{
    QDomDocument doc;
    QDomElement root = doc.createElement(QStringLiteral("Root"));
    doc.appendChild(root);
    cf::xml::appendTextElement(doc, root, QStringLiteral("a"), QStringLiteral("x<y"));
    cf::xml::appendTextElement(doc, root, QStringLiteral("b"), QString());
    EXPECT_EQ(cf::xml::toBytes(doc), QByteArray("<Root><a>x&lt;y</a><b/></Root>"));
}

} // namespace
