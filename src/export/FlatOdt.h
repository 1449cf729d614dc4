#pragma once

#include <QByteArray>

#include <vector>

namespace orv {

// A page set-up in inches: the paper and the margins around the text area.
struct TPageSetup {
    double width = 0, height = 0;
    double left = 0, top = 0, right = 0, bottom = 0;

    double innerWidth() const { return width - left - right; }
    double innerHeight() const { return height - top - bottom; }
};

// One page of a document to write: its set-up and the picture filling the
// area inside its margins (EMF bytes).
struct TPictureOnPage {
    TPageSetup setup;
    QByteArray emf;
};

// A Flat ODT text document (a single XML file) of one page per picture.
// Pages of the same paper and margins share one page layout.
QByteArray flatOdtOfPictures(const std::vector<TPictureOnPage>& pages);

// The page layouts a Flat ODT document declares, in document order; lengths
// in units other than in, cm, mm, pt and pc read as 0.
std::vector<TPageSetup> pageLayoutsOfFlatOdt(const QByteArray& document);

} // namespace orv
