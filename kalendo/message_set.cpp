#include "kalendo/message_set.h"

namespace kalendo {

namespace {

MessageSet English()
{
    MessageSet set;
    set.programTitle = "Cut optimization system";
    set.notFound = "not found";
    set.file = "File";
    set.invalidPassword = "invalid password";
    set.screenWarning1 = "Attention: for correct execution, use";
    set.screenWarning2 = "resolution of video 800x600 or larger.";
    set.findTitle = "Find";
    set.findNext = "Find next";
    set.cancel = "Cancel";
    return set;
}

}  // namespace

MessageSet FillMessageSet(char languageDigit)
{
    MessageSet set;
    switch (languageDigit) {
    case '1':
        set.programTitle = "Sistema de otimização de corte de chapas";
        set.notFound = "não localizado";
        set.file = "Arquivo";
        set.invalidPassword = "Senha inválida";
        set.screenWarning1 = "Atenção: para a execução do Vorlane, é";
        set.screenWarning2 = "necessário resolução de vídeo 800x600 ou maior.";
        set.findTitle = "Localizar";
        set.findNext = "Localizar próxima";
        set.cancel = "Cancelar";
        break;
    case '2':
        set = English();
        break;
    case '4':
        set = English();
        set.programTitle = "Systeem voor de optimisatie van het snijden van rechthoekige onderdelen";
        set.smallTitle = true;
        break;
    case '3':
    case '5':
        set.programTitle = "Sistema de optimización de corte";
        set.notFound = "no encuentre";
        set.file = "Archivo";
        set.invalidPassword = "contraseña inválida";
        set.screenWarning1 = "Atención: para la ejecución, uso";
        set.screenWarning2 = "resolución de video 800x600 o más grande.";
        set.findTitle = "Buscar";
        set.findNext = "Buscar siguiente";
        set.cancel = "Cancelar";
        break;
    default:
        break;
    }
    return set;
}

std::string SeparateRunText()
{
    return "Este arquivo faz parte do sistema Vorlane \n"
           "e não deve ser executado em separado.\n"
           "This file is part of the Vorlane system \n"
           "and it should not be executed in separate.\n"
           "Este archivo es parte del sistema Vorlane\n"
           "y no debe ejecutarse en separado";
}

}  // namespace kalendo
