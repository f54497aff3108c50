#include "ostrel/ostrel_captions.h"

namespace ostrel {

namespace {

Captions Portuguese()
{
    Captions c;
    c.printButton = "Imprimir";
    c.printHint = "Imprime o relatório na impressora atual";
    c.configureButton = "Configurar";
    c.configureHint = "Letras, cores, margens, cabeçalho e rodapé";
    c.searchButton = "Procura no texto";
    c.searchHint = "Marca as linhas que contêm um texto";
    c.indexButton = "Índice";
    c.indexHint = "Lista os títulos do relatório";
    c.closeButton = "Fechar";
    c.closeHint = "Fecha o relatório";
    c.fileLabel = "Arquivo:";
    c.linesLabel = "Linhas:";
    c.insertLine = "Inserir linha";
    c.editLine = "Editar linha";
    c.deleteLine = "Apagar linha";
    c.deleteTable = "Apagar tabela";
    c.newLine = "Linha nova";
    c.ok = "Ok";
    c.cancel = "Cancela";
    c.searchLabel = "Procurar:";
    c.matchCase = "Diferenciar a/A";
    c.settingsTitle = "Configuração";
    c.page = "Página";
    c.lineSpacing = "Espaçamento entre linhas";
    c.letterSize = "Tamanho de letra";
    c.tableColours = "Divisão de tabelas";
    c.tableColourNames = {"Sem divisão", "Cinza claro", "Cinza escuro", "Verde", "Amarelo",
                          "Azul / Vermelho", "Azul / Verde"};
    c.titleColours = "Títulos";
    c.titleColourNames = {"Sem côr", "Cinza claro", "Cinza escuro"};
    c.tableRules = "Linhas horizontais em tabelas";
    c.cursorBand = "Faixa auxiliar na posição do cursor";
    c.margins = "Margens (mm)";
    c.marginLeft = "Esquerda";
    c.marginTop = "Superior";
    c.marginBottom = "Inferior";
    c.header = "Cabeçalho";
    c.footer = "Rodapé";
    c.footerHint = "<DATA> <HORA> <PG> <TPG>";
    c.rule = "Linha";
    c.picture1 = "Desenho 1";
    c.picture2 = "Desenho 2";
    c.pictureFile = "Arquivo";
    c.pictureX = "X";
    c.pictureY = "Y";
    c.pictureWidth = "L";
    c.pictureHeight = "H";
    c.printer = "Impressora";
    c.pageWidth = "Largura:";
    c.pageHeight = "Altura:";
    c.printerSetup = "Configuração da impressora";
    c.saveSettings = "Salvar modificações para o próximo relatório";
    c.standard = "Padrão";
    c.indexTitle = "Indice";
    c.indexHintLine1 = "Para selecionar qual item do texto se deseja visualizar,  selecione o ";
    c.indexHintLine2 = "item desejado, acionando em seguida o botão ENTER.";
    c.aboutTitle = "Sobre";
    c.aboutProgram = "Ostrel - visualizador de relatórios do Vorlane";
    c.aboutKeys = "[F3] próxima ocorrência   [F5] desmarcar   [Shift+F4] texto sem formatação";
    c.aboutEditingHint =
        "Para editar o relatório, clique com o botão direito do mouse sobre a linha "
        "e escolha o comando no menu. [Shift+F5] edita a linha sob o cursor.";
    c.aboutFile = "Arquivo:";
    c.language = "Idioma=";
    c.printFailed = "A impressão não pôde ser iniciada.";
    return c;
}

Captions English()
{
    Captions c;
    c.printButton = "Print";
    c.printHint = "Prints the report on the current printer";
    c.configureButton = "Settings";
    c.configureHint = "Letters, colours, margins, header and footer";
    c.searchButton = "Search the text";
    c.searchHint = "Marks the lines that hold a text";
    c.indexButton = "Index";
    c.indexHint = "Lists the headings of the report";
    c.closeButton = "Close";
    c.closeHint = "Closes the report";
    c.fileLabel = "File:";
    c.linesLabel = "Lines:";
    c.insertLine = "Insert line";
    c.editLine = "Edit line";
    c.deleteLine = "Delete line";
    c.deleteTable = "Delete table";
    c.newLine = "New line";
    c.ok = "Ok";
    c.cancel = "Cancel";
    c.searchLabel = "Search:";
    c.matchCase = "Match a/A";
    c.settingsTitle = "Settings";
    c.page = "Page";
    c.lineSpacing = "Line spacing";
    c.letterSize = "Letter size";
    c.tableColours = "Table shading";
    c.tableColourNames = {"No shading", "Light grey", "Dark grey", "Green", "Yellow", "Blue / Red",
                          "Blue / Green"};
    c.titleColours = "Titles";
    c.titleColourNames = {"No colour", "Light grey", "Dark grey"};
    c.tableRules = "Horizontal lines in tables";
    c.cursorBand = "Band at the cursor position";
    c.margins = "Margins (mm)";
    c.marginLeft = "Left";
    c.marginTop = "Top";
    c.marginBottom = "Bottom";
    c.header = "Header";
    c.footer = "Footer";
    c.footerHint = "<DATA> <HORA> <PG> <TPG>";
    c.rule = "Line";
    c.picture1 = "Picture 1";
    c.picture2 = "Picture 2";
    c.pictureFile = "File";
    c.pictureX = "X";
    c.pictureY = "Y";
    c.pictureWidth = "W";
    c.pictureHeight = "H";
    c.printer = "Printer";
    c.pageWidth = "Width:";
    c.pageHeight = "Height:";
    c.printerSetup = "Printer setup";
    c.saveSettings = "Save changes for the next report";
    c.standard = "Standard";
    c.indexTitle = "Index";
    c.indexHintLine1 = "To choose which item of the text to view, select the ";
    c.indexHintLine2 = "item you want, then press ENTER.";
    c.aboutTitle = "About";
    c.aboutProgram = "Ostrel - report viewer of Vorlane";
    c.aboutKeys = "[F3] next occurrence   [F5] clear marks   [Shift+F4] text without formatting";
    c.aboutEditingHint =
        "To edit the report, click a line with the right mouse button and choose the "
        "command in the menu. [Shift+F5] edits the line under the cursor.";
    c.aboutFile = "File:";
    c.language = "Idioma=";
    c.printFailed = "Printing could not be started.";
    return c;
}

Captions Spanish()
{
    Captions c;
    c.printButton = "Imprimir";
    c.printHint = "Imprime el informe en la impresora actual";
    c.configureButton = "Configurar";
    c.configureHint = "Letras, colores, márgenes, encabezado y pie";
    c.searchButton = "Buscar en el texto";
    c.searchHint = "Marca las líneas que contienen un texto";
    c.indexButton = "Índice";
    c.indexHint = "Lista los títulos del informe";
    c.closeButton = "Cerrar";
    c.closeHint = "Cierra el informe";
    c.fileLabel = "Archivo:";
    c.linesLabel = "Líneas:";
    c.insertLine = "Insertar línea";
    c.editLine = "Editar línea";
    c.deleteLine = "Borrar línea";
    c.deleteTable = "Borrar tabla";
    c.newLine = "Línea nueva";
    c.ok = "Ok";
    c.cancel = "Cancela";
    c.searchLabel = "Buscar:";
    c.matchCase = "Diferenciar a/A";
    c.settingsTitle = "Configuración";
    c.page = "Página";
    c.lineSpacing = "Espaciado entre líneas";
    c.letterSize = "Tamaño de letra";
    c.tableColours = "División de tablas";
    c.tableColourNames = {"Sin división", "Gris claro", "Gris oscuro", "Verde", "Amarillo",
                          "Azul / Rojo", "Azul / Verde"};
    c.titleColours = "Títulos";
    c.titleColourNames = {"Sin color", "Gris claro", "Gris oscuro"};
    c.tableRules = "Líneas horizontales en tablas";
    c.cursorBand = "Franja auxiliar en la posición del cursor";
    c.margins = "Márgenes (mm)";
    c.marginLeft = "Izquierdo";
    c.marginTop = "Superior";
    c.marginBottom = "Inferior";
    c.header = "Encabezado";
    c.footer = "Pie de página";
    c.footerHint = "<DATA> <HORA> <PG> <TPG>";
    c.rule = "Línea";
    c.picture1 = "Dibujo 1";
    c.picture2 = "Dibujo 2";
    c.pictureFile = "Archivo";
    c.pictureX = "X";
    c.pictureY = "Y";
    c.pictureWidth = "L";
    c.pictureHeight = "H";
    c.printer = "Impresora";
    c.pageWidth = "Ancho:";
    c.pageHeight = "Alto:";
    c.printerSetup = "Configuración de la impresora";
    c.saveSettings = "Guardar los cambios para el próximo informe";
    c.standard = "Estándar";
    c.indexTitle = "Índice";
    c.indexHintLine1 = "Para elegir qué elemento del texto se desea ver, seleccione el ";
    c.indexHintLine2 = "elemento deseado y pulse a continuación ENTER.";
    c.aboutTitle = "Acerca de";
    c.aboutProgram = "Ostrel - visor de informes de Vorlane";
    c.aboutKeys = "[F3] próxima ocurrencia   [F5] desmarcar   [Shift+F4] texto sin formato";
    c.aboutEditingHint =
        "Para editar el informe, haga clic con el botón derecho del ratón sobre la línea "
        "y elija el comando en el menú. [Shift+F5] edita la línea bajo el cursor.";
    c.aboutFile = "Archivo:";
    c.language = "Idioma=";
    c.printFailed = "No se pudo iniciar la impresión.";
    return c;
}

}  // namespace

const Captions& CaptionsFor(Language lang)
{
    static const Captions kPortuguese = Portuguese();
    static const Captions kEnglish = English();
    static const Captions kSpanish = Spanish();
    switch (lang) {
    case Language::English: return kEnglish;
    case Language::Spanish: return kSpanish;
    case Language::Portuguese: break;
    }
    return kPortuguese;
}

}  // namespace ostrel
