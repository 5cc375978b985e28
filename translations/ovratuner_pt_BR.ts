<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pt_BR">
<context>
    <name>NavigationBar</name>
    <message>
        <source>Done</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>StatusLine</name>
    <message>
        <source>No microphone</source>
        <translation>Nenhum microfone</translation>
    </message>
    <message>
        <source>Chosen microphone missing</source>
        <translation>Microfone escolhido não encontrado</translation>
    </message>
    <message>
        <source>Input lost, retrying</source>
        <translation>Entrada perdida, tentando de novo</translation>
    </message>
    <message>
        <source>Listening paused</source>
        <translation>Escuta pausada</translation>
    </message>
</context>
<context>
    <name>Tunings</name>
    <message>
        <source>Standard</source>
        <translation>Padrão</translation>
    </message>
    <message>
        <source>Half step down</source>
        <translation>Meio tom abaixo</translation>
    </message>
    <message>
        <source>Whole step down</source>
        <translation>Um tom abaixo</translation>
    </message>
    <message>
        <source>Drop D</source>
        <translation>Drop D</translation>
    </message>
    <message>
        <source>Drop C</source>
        <translation>Drop C</translation>
    </message>
    <message>
        <source>DADGAD</source>
        <translation>DADGAD</translation>
    </message>
    <message>
        <source>Open G</source>
        <translation>G aberto</translation>
    </message>
    <message>
        <source>Open D</source>
        <translation>D aberto</translation>
    </message>
    <message>
        <source>Open E</source>
        <translation>E aberto</translation>
    </message>
</context>
<context>
    <name>WebPage</name>
    <message>
        <source>Tap to start listening</source>
        <translation>Toque para começar a ouvir</translation>
    </message>
    <message>
        <source>Microphone blocked — allow it in the browser&apos;s site settings</source>
        <translation>Microfone bloqueado — permita-o nas configurações do site no navegador</translation>
    </message>
    <message>
        <source>Microphone busy — close other apps using it, then tap</source>
        <translation>Microfone ocupado — feche os outros apps que o usam e toque</translation>
    </message>
    <message>
        <source>Microphone lost — tap to listen again</source>
        <translation>Microfone perdido — toque para ouvir de novo</translation>
    </message>
    <message>
        <source>The microphone needs a secure page (https://)</source>
        <translation>O microfone precisa de uma página segura (https://)</translation>
    </message>
    <message>
        <source>This browser cannot record audio</source>
        <translation>Este navegador não consegue gravar áudio</translation>
    </message>
    <message>
        <source>This browser is too old for the tuner (no AudioWorklet)</source>
        <translation>Este navegador é antigo demais para o afinador (sem AudioWorklet)</translation>
    </message>
    <message>
        <source>This browser cannot run the tuner (no WebAssembly)</source>
        <translation>Este navegador não consegue rodar o afinador (sem WebAssembly)</translation>
    </message>
    <message>
        <source>The tuner could not be loaded — check the connection and reload</source>
        <translation>Não foi possível carregar o afinador — verifique a conexão e recarregue</translation>
    </message>
    <message>
        <source>The screen&apos;s layout file is damaged (%1)</source>
        <translation>O arquivo de layout da tela está danificado (%1)</translation>
    </message>
    <message>
        <source>The tuner stopped on an error — reload the page</source>
        <translation>O afinador parou por um erro — recarregue a página</translation>
    </message>
    <message>
        <source>Lower</source>
        <translation>Mais grave</translation>
    </message>
    <message>
        <source>Higher</source>
        <translation>Mais agudo</translation>
    </message>
</context>
<context>
    <name>ovra::OvraSettings</name>
    <message>
        <source>Options</source>
        <translation>Opções</translation>
    </message>
    <message>
        <source>Less sensitive</source>
        <translation>Menos sensível</translation>
    </message>
    <message>
        <source>More sensitive</source>
        <translation>Mais sensível</translation>
    </message>
    <message>
        <source>Fine tuning</source>
        <extracomment>Readings in tenths of a cent; the row also shows &quot;0.1 ¢&quot;. Keep it short.</extracomment>
        <translation>Precisão</translation>
    </message>
    <message>
        <source>Reset to default values</source>
        <translation>Restaurar padrões</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Sobre</translation>
    </message>
    <message>
        <source>Volume sensitivity</source>
        <translation>Sensibilidade</translation>
    </message>
    <message>
        <source>Reactivity</source>
        <translation>Resposta</translation>
    </message>
    <message>
        <source>Tuning</source>
        <translation>Afinação</translation>
    </message>
    <message>
        <source>Reference pitch</source>
        <translation>Diapasão</translation>
    </message>
    <message>
        <source>Low</source>
        <extracomment>Reactivity of the needle: calm, follows slowly.</extracomment>
        <translation>Calma</translation>
    </message>
    <message>
        <source>High</source>
        <extracomment>Reactivity of the needle: lively, follows fast.</extracomment>
        <translation>Rápida</translation>
    </message>
    <message>
        <source>Visit web site</source>
        <translation>Visitar o site</translation>
    </message>
    <message>
        <source>OvraTuner version %1

Programming:
The OvraTuner developers

Graphics:
The OvraTuner developers

%2
%3</source>
        <extracomment>%1 is the version; %2 and %3, the copyright and licence notice.</extracomment>
        <translation>OvraTuner versão %1

Programação:
Os desenvolvedores do OvraTuner

Gráficos:
Os desenvolvedores do OvraTuner

%2
%3</translation>
    </message>
    <message>
        <source>About OvraTuner</source>
        <translation>Sobre o OvraTuner</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Reset settings?</source>
        <translation>Restaurar as configurações?</translation>
    </message>
    <message>
        <source>This will reset the settings to their default values.  Proceed?</source>
        <translation>Todas as configurações voltarão aos valores padrão. Continuar?</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
</context>
<context>
    <name>ovra::TuningPicker</name>
    <message>
        <source>Tuning</source>
        <translation>Afinação</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
</context>
</TS>
