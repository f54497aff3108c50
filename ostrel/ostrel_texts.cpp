#include "ostrel/ostrel_texts.h"

#include <charconv>
#include <cmath>

#include "ostrel/report_store.h"
#include "vorplan/common/conversions.h"

namespace ostrel {

namespace {

using vor::IntText;

const char* Pick(Language lang, const char* pt, const char* en, const char* es)
{
    switch (lang) {
    case Language::English: return en;
    case Language::Spanish: return es;
    case Language::Portuguese: break;
    }
    return pt;
}

std::string Str(std::string_view s) { return std::string(s); }

}  // namespace

std::string NoReportMessage(Language lang)
{
    return Pick(lang, "Este arquivo faz parte do Vorlane\ne não deve ser executado em separado.",
                "This file is part of Vorlane\nand must not be run on its own.",
                "Este archivo forma parte de Vorlane\ny no debe ejecutarse por separado.");
}

std::string FileUnavailableMessage(Language lang, std::string_view path)
{
    return Pick(lang, "Arquivo não disponível [", "File not available [", "Archivo no disponible [") +
           Str(path) + "]";
}

std::string TooLongMessage(Language lang)
{
    const std::string n = IntText(kMaxRows);
    return Pick(lang, "O relatório tem mais de ", "The report has more than ", "El informe tiene más de ") + n +
           Pick(lang, " linhas: só as primeiras são mostradas e ele não pode ser editado.",
                " lines: only the first ones are shown and it cannot be edited.",
                " líneas: solo se muestran las primeras y no se puede editar.");
}

std::string NoRoomMessage(Language lang)
{
    const std::string n = IntText(kMaxRows);
    return Pick(lang, "Não há espaço: o relatório teria mais de ", "No room: the report would have more than ",
                "No hay espacio: el informe tendría más de ") +
           n + Pick(lang, " linhas. Nada foi inserido.", " lines. Nothing was inserted.",
                    " líneas. No se insertó nada.");
}

std::string IncludeMissingMessage(Language lang, std::string_view name)
{
    return Pick(lang, "Arquivo [", "File [", "Archivo [") + Str(name) +
           Pick(lang, "] não localizado.", "] not found.", "] no encontrado.");
}

std::string SearchNotFoundMessage(Language lang)
{
    return Pick(lang, "Texto não localizado.", "Text not found.", "Texto no encontrado.");
}

std::string SearchFoundMessage(Language lang, int count)
{
    return Pick(lang, "Localizada(s) ", "Found ", "Encontrada(s) ") + IntText(count) +
           Pick(lang,
                " linha(s), indicadas em vermelho.\n- Para deslocar a tela para cada ocorrência, use [F3]\n"
                "- Para desmarcar as ocorrências, use [F5]",
                " line(s), shown in red.\n- To move the view to each occurrence, use [F3]\n"
                "- To clear the occurrences, use [F5]",
                " línea(s), indicadas en rojo.\n- Para desplazar la pantalla a cada ocurrencia, use [F3]\n"
                "- Para desmarcar las ocurrencias, use [F5]");
}

std::string PrintConfirmMessage(Language lang, int pages)
{
    return Pick(lang, "Imprimir", "Print", "Imprimir") + std::string(" ? ( ") + IntText(pages) + " " +
           Pick(lang, "Página(s)", "Page(s)", "Página(s)") + " )";
}

std::string PrintWaitText(Language lang) { return Pick(lang, "Aguarde", "Please wait", "Espere"); }

std::string PrintingPageText(Language lang, int page)
{
    return Pick(lang, "Imprimindo página ", "Printing page ", "Imprimiendo página ") + IntText(page);
}

std::string EmptyReportMessage(Language lang)
{
    return Pick(lang, "O relatório está vazio: não há nada para imprimir.", "The report is empty: there is nothing to print.",
                "El informe está vacío: no hay nada que imprimir.");
}

std::string FieldRangeMessage(Language lang, std::string_view field, double lowest, double highest)
{
    // Millimetres with one decimal at most, as they are typed.
    const auto mm = [](double v) {
        std::string text = vor::FormatFixed(v, 1);
        if (text.size() > 2 && text.compare(text.size() - 2, 2, ".0") == 0)
            text.resize(text.size() - 2);
        return text;
    };
    return Str(field) + Pick(lang, ": o valor deve estar entre ", ": the value must lie between ",
                             ": el valor debe estar entre ") +
           mm(std::ceil(lowest * 10) / 10) + Pick(lang, " e ", " and ", " y ") + mm(std::floor(highest * 10) / 10) +
           " mm.";
}

std::string MissingPictureMessage(Language lang, std::string_view file)
{
    // The Portuguese text is kept as users know it.
    return Pick(lang, "Arquivo nã+o encontrado: [", "File not found: [", "Archivo no encontrado: [") + Str(file) +
           "]";
}

}  // namespace ostrel
