<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="it_IT">
<context>
    <name>NavigationBar</name>
    <message>
        <source>Done</source>
        <translation>Fine</translation>
    </message>
</context>
<context>
    <name>StatusLine</name>
    <message>
        <source>No microphone</source>
        <translation>Nessun microfono</translation>
    </message>
    <message>
        <source>Chosen microphone missing</source>
        <translation>Microfono scelto non trovato</translation>
    </message>
    <message>
        <source>Input lost, retrying</source>
        <translation>Ingresso perso, riprovo</translation>
    </message>
    <message>
        <source>Listening paused</source>
        <translation>Ascolto in pausa</translation>
    </message>
</context>
<context>
    <name>Tunings</name>
    <message>
        <source>Standard</source>
        <translation>Standard</translation>
    </message>
    <message>
        <source>Half step down</source>
        <translation>Mezzo tono sotto</translation>
    </message>
    <message>
        <source>Whole step down</source>
        <translation>Un tono sotto</translation>
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
        <translation>Open G</translation>
    </message>
    <message>
        <source>Open D</source>
        <translation>Open D</translation>
    </message>
    <message>
        <source>Open E</source>
        <translation>Open E</translation>
    </message>
</context>
<context>
    <name>WebPage</name>
    <message>
        <source>Tap to start listening</source>
        <translation>Tocca per iniziare ad ascoltare</translation>
    </message>
    <message>
        <source>Microphone blocked — allow it in the browser&apos;s site settings</source>
        <translation>Microfono bloccato: consentilo nelle impostazioni del sito del browser</translation>
    </message>
    <message>
        <source>Microphone busy — close other apps using it, then tap</source>
        <translation>Microfono occupato: chiudi le altre app che lo usano, poi tocca</translation>
    </message>
    <message>
        <source>Microphone lost — tap to listen again</source>
        <translation>Microfono perso: tocca per ascoltare di nuovo</translation>
    </message>
    <message>
        <source>The microphone needs a secure page (https://)</source>
        <translation>Il microfono richiede una pagina sicura (https://)</translation>
    </message>
    <message>
        <source>This browser cannot record audio</source>
        <translation>Questo browser non può registrare l&apos;audio</translation>
    </message>
    <message>
        <source>This browser is too old for the tuner (no AudioWorklet)</source>
        <translation>Questo browser è troppo vecchio per l&apos;accordatore (niente AudioWorklet)</translation>
    </message>
    <message>
        <source>This browser cannot run the tuner (no WebAssembly)</source>
        <translation>Questo browser non può eseguire l&apos;accordatore (niente WebAssembly)</translation>
    </message>
    <message>
        <source>The tuner could not be loaded — check the connection and reload</source>
        <translation>Impossibile caricare l&apos;accordatore: controlla la connessione e ricarica</translation>
    </message>
    <message>
        <source>The screen&apos;s layout file is damaged (%1)</source>
        <translation>Il file di layout dello schermo è danneggiato (%1)</translation>
    </message>
    <message>
        <source>The tuner stopped on an error — reload the page</source>
        <translation>L&apos;accordatore si è fermato per un errore: ricarica la pagina</translation>
    </message>
    <message>
        <source>Lower</source>
        <translation>Più grave</translation>
    </message>
    <message>
        <source>Higher</source>
        <translation>Più acuto</translation>
    </message>
</context>
<context>
    <name>ovra::OvraSettings</name>
    <message>
        <source>Options</source>
        <translation>Opzioni</translation>
    </message>
    <message>
        <source>Less sensitive</source>
        <translation>Meno sensibile</translation>
    </message>
    <message>
        <source>More sensitive</source>
        <translation>Più sensibile</translation>
    </message>
    <message>
        <source>Fine tuning</source>
        <extracomment>Readings in tenths of a cent; the row also shows &quot;0.1 ¢&quot;. Keep it short.</extracomment>
        <translation>Precisione</translation>
    </message>
    <message>
        <source>Reset to default values</source>
        <translation>Ripristina tutto</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Informazioni</translation>
    </message>
    <message>
        <source>Volume sensitivity</source>
        <translation>Sensibilità</translation>
    </message>
    <message>
        <source>Reactivity</source>
        <translation>Reattività</translation>
    </message>
    <message>
        <source>Tuning</source>
        <translation>Accordatura</translation>
    </message>
    <message>
        <source>Reference pitch</source>
        <translation>Diapason</translation>
    </message>
    <message>
        <source>Low</source>
        <extracomment>Reactivity of the needle: calm, follows slowly.</extracomment>
        <translation>Calma</translation>
    </message>
    <message>
        <source>High</source>
        <extracomment>Reactivity of the needle: lively, follows fast.</extracomment>
        <translation>Rapida</translation>
    </message>
    <message>
        <source>Visit web site</source>
        <translation>Visita il sito web</translation>
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
        <translation>OvraTuner versione %1

Programmazione:
Gli sviluppatori di OvraTuner

Grafica:
Gli sviluppatori di OvraTuner

%2
%3</translation>
    </message>
    <message>
        <source>About OvraTuner</source>
        <translation>Informazioni su OvraTuner</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Reset settings?</source>
        <translation>Ripristinare le impostazioni?</translation>
    </message>
    <message>
        <source>This will reset the settings to their default values.  Proceed?</source>
        <translation>Tutte le impostazioni torneranno ai valori iniziali. Procedere?</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annulla</translation>
    </message>
</context>
<context>
    <name>ovra::TuningPicker</name>
    <message>
        <source>Tuning</source>
        <translation>Accordatura</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annulla</translation>
    </message>
</context>
</TS>
