#include "viewer/InterfaceTexts.h"

namespace orv {
namespace {

// One entry's texts in every language: English, Spanish, French, German,
// Portuguese, Dutch, Italian, Turkish, Brazilian Portuguese. A null text
// leaves the entry as the language before set it.
struct TextRow {
  const char* name;
  const char* texts[kLanguageCount];
};

// In the order of HintControl.
constexpr TextRow kHints[kHintControlCount] = {
    {"cmdSaveToPDF",
     {"Save to PDF", "Guardar como PDF", "Économiser au PDF", "Als PDF speichern", "Excepto ao PDF",
      "Bewaren naar PDF", "Risparmi al PDF", "PDF olarak sakla", "Salvar como PDF"}},
    {"cmdPrintReport",
     {"Print Report", "Imprimir informe", "Rapport d'Impression", "Drucken", "Relatório Da Cópia",
      "Het Rapport afdrukken", "Rapporto Della Stampa", "Raporu bas", "Imprimir"}},
    {"cmdSaveAsImage",
     {"Save As Image", nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, "Salvar como imagem"}},
    {"cmdEmail",
     {"Email Report as PDF", "Enviar informe como PDF por correo", "Envoyer le rapport en PDF par e-mail",
      "Bericht als PDF per E-Mail senden", "Enviar relatório em PDF por e-mail", "Rapport als PDF e-mailen",
      "Invia il rapporto in PDF per e-mail", "Raporu PDF olarak e-postayla gönder",
      "Enviar relatório como PDF por e-mail"}},
    {"cmdActualSize",
     {"Actual Size", "Tamaño real", "Taille réelle", "Originalgröße", "Tamanho real", "Werkelijke grootte",
      "Dimensioni effettive", "Gerçek boyut", "Tamanho real"}},
    {"cmdFitInWindow",
     {"Fit in Window", "Ajustar a la ventana", "Ajuster à la fenêtre", "An Fenster anpassen", "Ajustar à janela",
      "Aanpassen aan venster", "Adatta alla finestra", "Pencereye sığdır", "Ajustar à janela"}},
    {"cmdFitToWidth",
     {"Fit to Width", "Ajustar al ancho", "Ajuster à la largeur", "An Breite anpassen", "Ajustar à largura",
      "Aanpassen aan breedte", "Adatta alla larghezza", "Genişliğe sığdır", "Ajustar à largura"}},
    {"cmdZoomIn",
     {"Zoom In", "Acercar", "Bourdonnement Dedans", "Vergrößern", "Zumbido Dentro", "Inzoemen", "Zoom Dentro",
      "Büyüt", "Aumentar zoom"}},
    {"cmdZoomOut",
     {"Zoom Out", "Alejar", "Zoom arrière", "Verkleinern", "Reduzir", "Uitzoemen", "Riduci", "Küçült",
      "Diminuir zoom"}},
    {"txtPageSize",
     {"Page Size", "Tamaño de página", "Format de page", "Seitengröße", "Tamanho da página", "Paginaformaat",
      "Dimensioni pagina", "Sayfa boyutu", "Tamanho da página"}},
    {"cmdFirstPage",
     {"First Page", "Primera página", "Première page", "Erste Seite", "Primeira página", "Eerste pagina",
      "Prima pagina", "İlk sayfa", "Primeira página"}},
    {"cmdPriorPage",
     {"Prior Page", "Página anterior", "Page précédente", "Vorherige Seite", "Página anterior", "Vorige pagina",
      "Pagina precedente", "Önceki sayfa", "Página anterior"}},
    {"cmdNextPage",
     {"Next Page", "Página siguiente", "Page suivante", "Nächste Seite", "Página seguinte", "Volgende pagina",
      "Pagina successiva", "Sonraki sayfa", "Próxima página"}},
    {"cmdLastPage",
     {"Last Page", "Última página", "Dernière page", "Letzte Seite", "Última página", "Laatste pagina",
      "Ultima pagina", "Son sayfa", "Última página"}},
    {"txtPagePosition",
     {"Page Number", "Número de página", "Numéro de page", "Seitenzahl", "Número da página", "Paginanummer",
      "Numero di pagina", "Sayfa numarası", "Número da página"}},
    {"txtScale",
     {"Zoom Scale in Percent", "Escala del zoom en porcentaje", "Facteur de zoom en pourcentage",
      "Zoomfaktor in Prozent", "Escala do zoom em percentagem", "Zoomfactor in procenten",
      "Fattore di zoom in percentuale", "Yüzde olarak yakınlaştırma oranı", "Escala do zoom em porcentagem"}},
    {"cmdZoomPreview",
     {"Zoom Scale Dropdown", "Lista de escalas de zoom", "Liste des facteurs de zoom", "Zoomfaktor auswählen",
      "Lista de escalas de zoom", "Zoomfactor kiezen", "Elenco dei fattori di zoom", "Yakınlaştırma oranı listesi",
      "Lista de escalas de zoom"}},
    {"PagePosScrollbar",
     {"High Speed Page Position Control", "Desplazamiento rápido por las páginas", "Défilement rapide des pages",
      "Schnelle Seitenauswahl", "Deslocação rápida pelas páginas", "Snel door de pagina's bladeren",
      "Scorrimento rapido delle pagine", "Hızlı sayfa geçişi", "Rolagem rápida pelas páginas"}},
    {"cmdFind",
     {"Find  (SHIFT+Click to Clear)", "Buscar  (MAYÚS+clic para borrar)", "Rechercher  (MAJ+clic pour effacer)",
      "Suchen  (UMSCHALT+Klick zum Löschen)", "Procurar  (SHIFT+clique para limpar)",
      "Zoeken  (SHIFT+klik om te wissen)", "Trova  (MAIUSC+clic per cancellare)",
      "Bul  (Temizlemek için SHIFT+tıklama)", "Procurar  (SHIFT+clique para limpar)"}},
    {"cmdGrid",
     {"Display Grid", "Mostrar cuadrícula", "Afficher la grille", "Raster anzeigen", "Mostrar grelha",
      "Raster weergeven", "Mostra griglia", "Izgarayı göster", "Exibir grade"}},
    {"cmdHelp", {"Help", "Ayuda", "Aide", "Hilfe", "Ajuda", "Help", "Guida", "Yardım", "Ajuda"}},
    {"cmdNewPage",
     {"New Page", "Nueva página", "Nouvelle page", "Neue Seite", "Nova página", "Nieuwe pagina", "Nuova pagina",
      "Yeni sayfa", "Nova página"}},
    {"cmdDeletePage",
     {"Delete Page", "Eliminar página", "Supprimer la page", "Seite löschen", "Eliminar página",
      "Pagina verwijderen", "Elimina pagina", "Sayfayı sil", "Excluir página"}},
    {"cboPrinters", {"Printers", nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, "Impressoras"}},
    // English leaves the button's own text; only Brazilian Portuguese sets it.
    {"cmdAddWordDocument",
     {nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, "Adicionar documento"}},
};

// The English hint of a control no language has set yet.
constexpr const char* kAddDocumentHint = "Add Document";

// In the order of TextSlot.
constexpr TextRow kSlots[kTextSlotCount] = {
    {"strSubject", {"Subject", "Asunto", "Objet", "Betreff", "Assunto", "Onderwerp", "Oggetto", "Konu", "Assunto"}},
    {"strFind",
     {"Find", "Hallazgo", "Trouvaille", "Entdeckung", "Achado", "Vind", "Ritrovamento", "Bul", "Procurar"}},
    {"strFindTitle",
     {"Find Text", "Buscar texto", "Rechercher du texte", "Entdeckung-Text", "Procurar texto", "Tekst zoeken",
      "Trova testo", "Metin bul", "Procurar texto"}},
    {"strCancel",
     {"Cancel", "Cancelar", "Annuler", "Abbrechen", "Cancelar", "Annuleren", "Annulla", "İptal", "Cancelar"}},
    {"strCaseSensitive",
     {"Case Sensitive", "Distinguir mayúsculas y minúsculas", "Respecter la casse", "Groß-/Kleinschreibung beachten",
      "Diferenciar maiúsculas e minúsculas", "Hoofdlettergevoelig", "Maiuscole/minuscole",
      "Büyük/küçük harfe duyarlı", "Diferenciar maiúsculas e minúsculas"}},
    {"strMarkAll",
     {"Mark All", "Marcar todo", "Tout marquer", "Alle markieren", "Marcar tudo", "Alles markeren",
      "Evidenzia tutto", "Tümünü işaretle", "Marcar tudo"}},
    {"strZoom", {"Zoom", "Zoom", "Zoom", "Zoom", "Zoom", "Zoomen", "Zoom", "Yakınlaştır", "Zoom"}},
    {"strPdfOptionsTitle",
     {"PDF Document Options", "Opciones del documento PDF", "Options du document PDF", "PDF-Dokumentoptionen",
      "Opções do documento PDF", "PDF-documentopties", "Opzioni del documento PDF", "PDF belgesi seçenekleri",
      "Opções do documento PDF"}},
    {"strFileName",
     {"File Name", "Nombre de archivo", "Nom du fichier", "Dateiname", "Nome do ficheiro", "Bestandsnaam",
      "Nome file", "Dosya adı", "Nome do arquivo"}},
    {"strTitle", {"Title", "Título", "Titre", "Titel", "Título", "Titel", "Titolo", "Başlık", "Título"}},
    {"strAuthor", {"Author", "Autor", "Auteur", "Autor", "Autor", "Auteur", "Autore", "Yazar", "Autor"}},
    {"strKeywords",
     {"Keywords", "Palabras clave", "Mots clés", "Stichwörter", "Palavras-chave", "Trefwoorden", "Parole chiave",
      "Anahtar sözcükler", "Palavras-chave"}},
    {"strSave",
     {"Save", "Guardar", "Enregistrer", "Speichern", "Excepto", "Opslaan", "Salva", "Kaydet", "Excepto"}},
    // The two password labels read English in every language.
    {"strUserPassword",
     {"User Password", "User Password", "User Password", "User Password", "User Password", "User Password",
      "User Password", "User Password", "User Password"}},
    {"strOwnerPassword",
     {"Owner Password", "Owner Password", "Owner Password", "Owner Password", "Owner Password", "Owner Password",
      "Owner Password", "Owner Password", "Owner Password"}},
    {"strPagesPerSheet",
     {"Pages per s&heet", "Páginas por &hoja", "Pages par &feuille", "Seiten pro &Blatt", "Páginas por &folha",
      "Pagina's per &vel", "Pagine per &foglio", "&Yaprak başına sayfa", "Páginas por &folha"}},
    {"strEmailEditorTitle",
     {"Email Message Editor", "Editor de mensajes de correo", "Éditeur de message électronique",
      "E-Mail-Nachricht bearbeiten", "Editor de mensagens de e-mail", "E-mailbericht bewerken",
      "Editor dei messaggi e-mail", "E-posta iletisi düzenleyicisi", "Editor de mensagens de e-mail"}},
    {"strFrom", {"From", "De", "De", "Von", "De", "Van", "Da", "Kimden", "De"}},
    {"strTo", {"&To", "&Para", "À", "&An", "&Para", "&Aan", "&A", "&Kime", "&Para"}},
    {"strAttachmentFileName",
     {"Attachment Filename", "Nombre del archivo adjunto", "Nom de la pièce jointe", "Name des Anhangs",
      "Nome do anexo", "Bestandsnaam van de bijlage", "Nome dell'allegato", "Ek dosyasının adı", "Nome do anexo"}},
    {"strPriority",
     {"&Priority", "&Prioridad", "&Priorité", "&Priorität", "&Prioridade", "&Prioriteit", "&Priorità", "&Öncelik",
      "&Prioridade"}},
    {"strReturnReceipt",
     {"Return &Receipt", "Acuse de &recibo", "Accusé de &réception", "&Lesebestätigung", "Aviso de &receção",
      "&Leesbevestiging", "Conferma di &lettura", "&Okundu bilgisi", "Confirmação de &leitura"}},
    {"strSend",
     {"Sen&d", "Envíe", "Envoyez", "Senden Sie", "Emita", "Verzend", "Trasmetta", "Gönder", "Enviar"}},
    // The find toolbar's captions exist in English and Brazilian Portuguese.
    {"strFindNext",
     {"Find next", nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, "Procurar próxima"}},
    {"strFindPrevious",
     {"Find previous", nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, "Procurar anterior"}},
    {"strHighlight", {"Highlight", nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, "Realçar"}},
    {"strMatchCase",
     {"Match case", nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, "Diferenciar maiúsculas"}},
};

// SetReportEngineText's indexes 1..21; 4 and 9 both name the actual size hint.
constexpr HintControl kIndexedHints[21] = {
    HintControl::cmdSaveToPDF,    HintControl::cmdPrintReport,   HintControl::cmdEmail,
    HintControl::cmdActualSize,   HintControl::cmdFitInWindow,   HintControl::cmdFitToWidth,
    HintControl::cmdZoomIn,       HintControl::cmdZoomOut,       HintControl::cmdActualSize,
    HintControl::txtPageSize,     HintControl::cmdFirstPage,     HintControl::cmdPriorPage,
    HintControl::cmdNextPage,     HintControl::cmdLastPage,      HintControl::txtPagePosition,
    HintControl::txtScale,        HintControl::cmdZoomPreview,   HintControl::PagePosScrollbar,
    HintControl::cmdFind,         HintControl::cmdGrid,          HintControl::cmdHelp,
};

std::optional<QString> textOf(const TextRow& row, int32_t language)
{
  if (language < 0 || language >= kLanguageCount || !row.texts[language]) return std::nullopt;
  return QString::fromUtf8(row.texts[language]);
}

} // namespace

TInterfaceTexts::TInterfaceTexts() {
  for (int i = 0; i < kHintControlCount; ++i) hints_[size_t(i)] = englishHint(HintControl(i));
  for (int i = 0; i < kTextSlotCount; ++i) texts_[size_t(i)] = englishText(TextSlot(i));
}

bool TInterfaceTexts::switchLanguage(int32_t index) {
  if (index < 0 || index >= kLanguageCount) return false;
  language_ = index;
  for (int i = 0; i < kHintControlCount; ++i)
    if (std::optional<QString> text = textOf(kHints[i], index)) hints_[size_t(i)] = *text;
  for (int i = 0; i < kTextSlotCount; ++i)
    if (std::optional<QString> text = textOf(kSlots[i], index)) texts_[size_t(i)] = *text;
  return true;
}

std::optional<QString> TInterfaceTexts::languageHint(int32_t index, HintControl control) {
  return textOf(kHints[int(control)], index);
}

std::optional<QString> TInterfaceTexts::languageText(int32_t index, TextSlot slot) {
  return textOf(kSlots[int(slot)], index);
}

QString TInterfaceTexts::englishHint(HintControl control) {
  return textOf(kHints[int(control)], 0).value_or(QString::fromUtf8(kAddDocumentHint));
}

QString TInterfaceTexts::englishText(TextSlot slot) { return *textOf(kSlots[int(slot)], 0); }

const char* TInterfaceTexts::controlName(HintControl control) { return kHints[int(control)].name; }

const char* TInterfaceTexts::slotName(TextSlot slot) { return kSlots[int(slot)].name; }

std::optional<HintControl> TInterfaceTexts::hintForIndex(int indexId) {
  if (indexId < 1 || indexId > 21) return std::nullopt;
  return kIndexedHints[indexId - 1];
}

} // namespace orv
