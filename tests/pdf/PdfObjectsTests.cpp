#include "pdf/PdfErrors.h"
#include "pdf/PdfFormat.h"
#include "pdf/PdfObjects.h"

#include "PdfTestSupport.h"

#include <gtest/gtest.h>

#include <limits>

using namespace orv;
using orv::pdftest::written;

TEST(PdfNumberFormat, RealsTakeTheShortestGeneralForm)
{
    EXPECT_EQ(formatPdfReal(0), "0");
    EXPECT_EQ(formatPdfReal(-0.0), "0");
    EXPECT_EQ(formatPdfReal(0.5), "0.5");
    EXPECT_EQ(formatPdfReal(612), "612");
    EXPECT_EQ(formatPdfReal(-3.25), "-3.25");
    EXPECT_EQ(formatPdfReal(static_cast<float>(128 / 255.0)), "0.501960813999176");
    EXPECT_EQ(formatPdfReal(1.0 / 3), "0.333333333333333");
    EXPECT_EQ(formatPdfReal(0.00001), "0.00001");
    EXPECT_EQ(formatPdfReal(0.000001), "0.000001");
    EXPECT_EQ(formatPdfReal(-0.00000125), "-0.00000125");
    EXPECT_EQ(formatPdfReal(123456789012345), "123456789012345");
    EXPECT_EQ(formatPdfReal(1e15), "999999999999999") << "PDF has no exponents";
    EXPECT_EQ(formatPdfReal(-2.5e20), "-999999999999999");
    EXPECT_EQ(formatPdfReal(7.2000004710195e31), "999999999999999");
    EXPECT_EQ(formatPdfReal(1e-16), "0");
    EXPECT_EQ(formatPdfReal(std::numeric_limits<double>::quiet_NaN()), "0");
    EXPECT_EQ(formatPdfReal(-std::numeric_limits<double>::infinity()), "0");
    EXPECT_EQ(formatPdfReal(72.3f), "72.3000030517578") << "a float's exact value";
}

TEST(PdfNumberFormat, ContentNumbersAreCutToTwoDecimalsAfterAddingAHalf)
{
    EXPECT_EQ(formatContentNumber(72), "72");
    EXPECT_EQ(formatContentNumber(72.456f), "72.46");
    EXPECT_EQ(formatContentNumber(0.006f), "0.01");
    EXPECT_EQ(formatContentNumber(1.0f / 3), "0.33");
    EXPECT_EQ(formatContentNumber(0.50196f), "0.5");
    EXPECT_EQ(formatContentNumber(-3.14159f), "-3.13");
    EXPECT_EQ(formatContentNumber(-1.239f), "-1.23");
    // 0.005f lies just below the half step; small negatives give 0, not -0.
    EXPECT_EQ(formatContentNumber(0.005f), "0");
    EXPECT_EQ(formatContentNumber(-0.004f), "0");
    EXPECT_EQ(formatContentNumber(1e20), "999999999999999");
}

TEST(PdfObjects, ValuesWriteTheirFixedForms)
{
    TPdfNumber negative(-7);
    TPdfString empty("");
    TPdfString special("a(b)c\\d\r\n\t\b\f\xE9");
    TPdfName slash("A/B");
    TPdfName high("\xC8 #%()<>[]{}");
    TPdfName face("TimesNewRoman,Bold");
    TPdfHex hex("0A1B");
    TPdfVerbatim source("[ 1 2 ]");
    TPdfNull null;
    EXPECT_EQ(written(negative), "-7");
    EXPECT_EQ(written(empty), "()");
    EXPECT_EQ(written(special), "(a\\(b\\)c\\\\d\\r\\n\\t\\b\\f\xE9)");
    EXPECT_EQ(written(slash), "/A#2FB");
    EXPECT_EQ(written(high), "/#C8#20#23#25#28#29#3C#3E#5B#5D#7B#7D");
    EXPECT_EQ(written(face), "/TimesNewRoman,Bold");
    EXPECT_EQ(written(hex), "<0A1B>");
    EXPECT_EQ(written(source), "[ 1 2 ]");
    EXPECT_EQ(written(null), "null");
}

TEST(PdfObjects, TextStringsOutsideThePdfEncodingBecomeUtf16)
{
    TPdfText latin("Gr\xC3\xBC\xC3\x9F" "e (1)");
    EXPECT_EQ(written(latin), "(Gr\xFC\xDF" "e \\(1\\))");
    // The euro sign and the no-break space are other bytes in the PDF's own encoding.
    TPdfText euro("\xE2\x82\xAC" "5");
    EXPECT_EQ(written(euro), "<FEFF20AC0035>");
    TPdfText noBreak("a\xC2\xA0");
    EXPECT_EQ(written(noBreak), "<FEFF006100A0>");
}

TEST(PdfObjects, ArraysAndDictionariesWriteTheirLayout)
{
    TPdfArray box;
    EXPECT_EQ(written(box), "[]");
    for (int value : {0, 0, 612, 792})
        box.add(std::make_unique<TPdfNumber>(value));
    EXPECT_EQ(written(box), "[0 0 612 792 ]");

    TPdfDictionary action;
    EXPECT_EQ(written(action), "<<\r\n>>");
    action.addName("Type", "Action");
    action.add("Border", std::make_unique<TPdfArray>());
    EXPECT_EQ(written(action), "<<\r\n/Type /Action\r\n/Border []\r\n>>");
    action.setKeySpace(false);
    EXPECT_EQ(written(action), "<<\r\n/Type/Action\r\n/Border[]\r\n>>");
    action.setLineBreaks(false);
    EXPECT_EQ(written(action), "<< /Type/Action/Border[]>>");
}

TEST(PdfObjects, AKeyAddedAgainMovesToTheEndAndHiddenKeysAreNotWritten)
{
    TPdfDictionary dictionary;
    dictionary.add("A", std::make_unique<TPdfNumber>(1));
    dictionary.add("B", std::make_unique<TPdfNumber>(2));
    dictionary.add("A", std::make_unique<TPdfNumber>(3));
    dictionary.addHidden("Note", std::make_unique<TPdfNumber>(5));
    EXPECT_EQ(written(dictionary), "<<\r\n/B 2\r\n/A 3\r\n>>");
    EXPECT_EQ(dictionary.lookupAs<TPdfNumber>("A")->value(), 3);
    EXPECT_EQ(dictionary.lookupAs<TPdfNumber>("Note")->value(), 5);
    EXPECT_EQ(dictionary.lookup("a"), nullptr) << "keys keep their case";
    dictionary.remove("B");
    EXPECT_EQ(dictionary.lookup("B"), nullptr);
}

TEST(PdfObjects, ContainersReferToIndirectObjectsAndResolveThem)
{
    TPdfXref xref;
    auto& font = xref.addObject(std::make_unique<TPdfDictionary>());
    auto& catalog = xref.addObject(std::make_unique<TPdfDictionary>());
    EXPECT_EQ(catalog.objectNumber(), 2);
    EXPECT_EQ(xref.objectAt(2), &catalog);
    EXPECT_EQ(xref.entry(0).generation, 65535);

    TPdfArray kids;
    kids.addReference(catalog);
    kids.addReference(catalog);
    kids.add(std::make_unique<TPdfName>("FlateDecode"));
    EXPECT_EQ(written(kids), "[2 0 R 2 0 R /FlateDecode ]");
    EXPECT_EQ(&kids.item(1), &catalog);
    EXPECT_NE(kids.findName("FlateDecode"), nullptr);
    EXPECT_EQ(kids.findName("flatedecode"), nullptr);

    TPdfDictionary resources;
    resources.addReference("F0", font);
    EXPECT_EQ(resources.lookup("F0"), &font);
    EXPECT_EQ(written(resources), "<<\r\n/F0 1 0 R\r\n>>");
}

TEST(PdfObjects, MisuseRaisesTheWritersErrors)
{
    TPdfXref xref;
    TPdfDictionary direct;
    std::string out;
    try {
        direct.writeIndirect(out, nullptr);
        FAIL() << "a direct object was written as an indirect one";
    } catch (const EPdfInvalidOperation& e) {
        EXPECT_STREQ(e.what(), "internal error wrong object type");
    }
    try {
        direct.add("Key", nullptr);
        FAIL() << "an element without a value was added";
    } catch (const EPdfInvalidValue& e) {
        EXPECT_STREQ(e.what(), "internal error. wrong object.");
    }
    EXPECT_THROW(direct.addReference("Key", direct), EPdfInvalidValue);
    auto& registered = xref.addObject(std::make_unique<TPdfNull>());
    try {
        xref.addObject(TPdfVirtualObject::createVirtual(registered));
        FAIL() << "a reference was registered as an object";
    } catch (const EPdfInvalidOperation& e) {
        EXPECT_STREQ(e.what(), "AddObject --wrong object type.");
    }
    EXPECT_EQ(xref.count(), 2);
}

TEST(PdfObjects, StreamsCountTheirBytesAndKeepTheirData)
{
    TPdfStream plain;
    plain.data() = "0 0 m\n";
    EXPECT_EQ(written(plain), "<<\r\n/Length 6\r\n/Filter []\r\n>>\r\nstream\r\n0 0 m\n\nendstream");

    TPdfStream compressed;
    compressed.data() = std::string(2000, 'x') + "end";
    compressed.attributes().lookupAs<TPdfArray>("Filter")->add(std::make_unique<TPdfName>("FlateDecode"));
    const std::string first = written(compressed);
    const size_t start = first.find("stream\r\n") + 8;
    const std::string body = first.substr(start, first.rfind("\nendstream") - start);
    EXPECT_EQ(first.find("/Length " + std::to_string(body.size()) + "\r\n"), 4u);
    EXPECT_EQ(pdftest::inflate(body), compressed.data());
    EXPECT_EQ(written(compressed), first) << "the data stays uncompressed for the next write";
}
