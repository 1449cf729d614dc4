#include "export/FlatOdt.h"

#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include <map>
#include <set>
#include <tuple>
#include <utility>

namespace orv {

namespace {

const QString kOffice = "urn:oasis:names:tc:opendocument:xmlns:office:1.0";
const QString kStyle = "urn:oasis:names:tc:opendocument:xmlns:style:1.0";
const QString kText = "urn:oasis:names:tc:opendocument:xmlns:text:1.0";
const QString kDraw = "urn:oasis:names:tc:opendocument:xmlns:drawing:1.0";
const QString kFo = "urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0";
const QString kSvg = "urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0";

QString inches(double value)
{
    return QString::number(value, 'f', 4) + "in";
}

using LayoutKey = std::tuple<double, double, double, double, double, double>;

class TFlatOdtWriter {
public:
    explicit TFlatOdtWriter(const std::vector<TPictureOnPage>& pages) : m_pages(pages), m_xml(&m_bytes)
    {
        for (const TPictureOnPage& page : pages)
            m_layouts.try_emplace(key(page), static_cast<int>(m_layouts.size()) + 1);
    }

    QByteArray write()
    {
        m_xml.setAutoFormatting(false);
        m_xml.writeStartDocument();
        for (const auto& [prefix, uri] : {std::pair{"office", kOffice}, {"style", kStyle}, {"text", kText},
                                          {"draw", kDraw}, {"fo", kFo}, {"svg", kSvg}})
            m_xml.writeNamespace(uri, prefix);
        m_xml.writeStartElement(kOffice, "document");
        m_xml.writeAttribute(kOffice, "version", "1.2");
        m_xml.writeAttribute(kOffice, "mimetype", "application/vnd.oasis.opendocument.text");
        writeStyles();
        writeMasterPages();
        writeBody();
        m_xml.writeEndDocument();
        return m_bytes;
    }

private:
    static LayoutKey key(const TPictureOnPage& page)
    {
        const TPageSetup& s = page.setup;
        return {s.width, s.height, s.left, s.top, s.right, s.bottom};
    }
    int layoutOf(const TPictureOnPage& page) const { return m_layouts.at(key(page)); }

    void writeStyles()
    {
        m_xml.writeStartElement(kOffice, "automatic-styles");
        for (const TPictureOnPage& page : m_pages) {
            const int n = layoutOf(page);
            if (m_written.insert(n).second)
                writeLayout(n, page.setup);
        }
        // A picture stands on its page: placed from the page's top left
        // corner, with no text flowing around it.
        m_xml.writeStartElement(kStyle, "style");
        m_xml.writeAttribute(kStyle, "name", "Picture");
        m_xml.writeAttribute(kStyle, "family", "graphic");
        m_xml.writeEmptyElement(kStyle, "graphic-properties");
        m_xml.writeAttribute(kStyle, "wrap", "none");
        m_xml.writeAttribute(kStyle, "vertical-pos", "from-top");
        m_xml.writeAttribute(kStyle, "vertical-rel", "page");
        m_xml.writeAttribute(kStyle, "horizontal-pos", "from-left");
        m_xml.writeAttribute(kStyle, "horizontal-rel", "page");
        m_xml.writeEndElement();
        m_xml.writeEndElement();
    }

    void writeLayout(int n, const TPageSetup& setup)
    {
        m_xml.writeStartElement(kStyle, "page-layout");
        m_xml.writeAttribute(kStyle, "name", QString("Layout%1").arg(n));
        m_xml.writeEmptyElement(kStyle, "page-layout-properties");
        m_xml.writeAttribute(kFo, "page-width", inches(setup.width));
        m_xml.writeAttribute(kFo, "page-height", inches(setup.height));
        m_xml.writeAttribute(kStyle, "print-orientation", setup.width > setup.height ? "landscape" : "portrait");
        m_xml.writeAttribute(kFo, "margin-left", inches(setup.left));
        m_xml.writeAttribute(kFo, "margin-top", inches(setup.top));
        m_xml.writeAttribute(kFo, "margin-right", inches(setup.right));
        m_xml.writeAttribute(kFo, "margin-bottom", inches(setup.bottom));
        m_xml.writeEndElement();
        // A paragraph of this style starts a page of this layout.
        m_xml.writeStartElement(kStyle, "style");
        m_xml.writeAttribute(kStyle, "name", QString("Start%1").arg(n));
        m_xml.writeAttribute(kStyle, "family", "paragraph");
        m_xml.writeAttribute(kStyle, "master-page-name", QString("Page%1").arg(n));
        m_xml.writeEmptyElement(kStyle, "paragraph-properties");
        m_xml.writeAttribute(kFo, "break-before", "page");
        m_xml.writeEndElement();
    }

    void writeMasterPages()
    {
        m_xml.writeStartElement(kOffice, "master-styles");
        for (int n = 1; n <= static_cast<int>(m_layouts.size()); ++n) {
            m_xml.writeEmptyElement(kStyle, "master-page");
            m_xml.writeAttribute(kStyle, "name", QString("Page%1").arg(n));
            m_xml.writeAttribute(kStyle, "page-layout-name", QString("Layout%1").arg(n));
        }
        m_xml.writeEndElement();
    }

    void writeBody()
    {
        m_xml.writeStartElement(kOffice, "body");
        m_xml.writeStartElement(kOffice, "text");
        int pageNumber = 0;
        for (const TPictureOnPage& page : m_pages) {
            m_xml.writeStartElement(kText, "p");
            m_xml.writeAttribute(kText, "style-name", QString("Start%1").arg(layoutOf(page)));
            writePicture(page, ++pageNumber);
            m_xml.writeEndElement();
        }
        m_xml.writeEndElement();
        m_xml.writeEndElement();
    }

    void writePicture(const TPictureOnPage& page, int pageNumber)
    {
        m_xml.writeStartElement(kDraw, "frame");
        m_xml.writeAttribute(kDraw, "style-name", "Picture");
        m_xml.writeAttribute(kDraw, "name", QString("Page %1").arg(pageNumber));
        m_xml.writeAttribute(kText, "anchor-type", "page");
        m_xml.writeAttribute(kText, "anchor-page-number", QString::number(pageNumber));
        m_xml.writeAttribute(kSvg, "x", inches(page.setup.left));
        m_xml.writeAttribute(kSvg, "y", inches(page.setup.top));
        m_xml.writeAttribute(kSvg, "width", inches(page.setup.innerWidth()));
        m_xml.writeAttribute(kSvg, "height", inches(page.setup.innerHeight()));
        m_xml.writeStartElement(kDraw, "image");
        m_xml.writeTextElement(kOffice, "binary-data", QString::fromLatin1(page.emf.toBase64()));
        m_xml.writeEndElement();
        m_xml.writeEndElement();
    }

    const std::vector<TPictureOnPage>& m_pages;
    std::map<LayoutKey, int> m_layouts;
    std::set<int> m_written;
    QByteArray m_bytes;
    QXmlStreamWriter m_xml;
};

double lengthInInches(QStringView length)
{
    static const std::pair<QStringView, double> kUnits[] = {
        {u"in", 1.0}, {u"cm", 1 / 2.54}, {u"mm", 1 / 25.4}, {u"pt", 1 / 72.0}, {u"pc", 1 / 6.0}};
    for (const auto& [unit, factor] : kUnits)
        if (length.endsWith(unit))
            return length.chopped(unit.size()).toDouble() * factor;
    return 0;
}

TPageSetup setupOf(const QXmlStreamAttributes& properties)
{
    const auto length = [&](const QString& name) { return lengthInInches(properties.value(kFo, name)); };
    return {length("page-width"),  length("page-height"),  length("margin-left"),
            length("margin-top"), length("margin-right"), length("margin-bottom")};
}

} // namespace

QByteArray flatOdtOfPictures(const std::vector<TPictureOnPage>& pages)
{
    return TFlatOdtWriter(pages).write();
}

std::vector<TPageSetup> pageLayoutsOfFlatOdt(const QByteArray& document)
{
    std::vector<TPageSetup> layouts;
    QXmlStreamReader xml(document);
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.namespaceUri() == kStyle
            && xml.name() == u"page-layout-properties")
            layouts.push_back(setupOf(xml.attributes()));
    }
    return layouts;
}

} // namespace orv
