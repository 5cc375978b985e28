<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es_ES">
<context>
    <name>NavigationBar</name>
    <message>
        <source>Done</source>
        <translation>Listo</translation>
    </message>
</context>
<context>
    <name>StatusLine</name>
    <message>
        <source>No microphone</source>
        <translation>Sin micrófono</translation>
    </message>
    <message>
        <source>Chosen microphone missing</source>
        <translation>Falta el micrófono elegido</translation>
    </message>
    <message>
        <source>Input lost, retrying</source>
        <translation>Entrada perdida, reintentando</translation>
    </message>
    <message>
        <source>Listening paused</source>
        <translation>Escucha en pausa</translation>
    </message>
</context>
<context>
    <name>Tunings</name>
    <message>
        <source>Standard</source>
        <translation>Estándar</translation>
    </message>
    <message>
        <source>Half step down</source>
        <translation>Medio tono abajo</translation>
    </message>
    <message>
        <source>Whole step down</source>
        <translation>Un tono abajo</translation>
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
        <translation>Toca para empezar a escuchar</translation>
    </message>
    <message>
        <source>Microphone blocked — allow it in the browser&apos;s site settings</source>
        <translation>Micrófono bloqueado: permítelo en la configuración del sitio del navegador</translation>
    </message>
    <message>
        <source>Microphone busy — close other apps using it, then tap</source>
        <translation>Micrófono ocupado: cierra las otras apps que lo usan y toca</translation>
    </message>
    <message>
        <source>Microphone lost — tap to listen again</source>
        <translation>Micrófono perdido: toca para volver a escuchar</translation>
    </message>
    <message>
        <source>The microphone needs a secure page (https://)</source>
        <translation>El micrófono necesita una página segura (https://)</translation>
    </message>
    <message>
        <source>This browser cannot record audio</source>
        <translation>Este navegador no puede grabar audio</translation>
    </message>
    <message>
        <source>This browser is too old for the tuner (no AudioWorklet)</source>
        <translation>Este navegador es demasiado antiguo para el afinador (sin AudioWorklet)</translation>
    </message>
    <message>
        <source>This browser cannot run the tuner (no WebAssembly)</source>
        <translation>Este navegador no puede ejecutar el afinador (sin WebAssembly)</translation>
    </message>
    <message>
        <source>The tuner could not be loaded — check the connection and reload</source>
        <translation>No se pudo cargar el afinador: comprueba la conexión y recarga</translation>
    </message>
    <message>
        <source>The screen&apos;s layout file is damaged (%1)</source>
        <translation>El archivo de diseño de la pantalla está dañado (%1)</translation>
    </message>
    <message>
        <source>The tuner stopped on an error — reload the page</source>
        <translation>El afinador se detuvo por un error: recarga la página</translation>
    </message>
    <message>
        <source>Lower</source>
        <translation>Más grave</translation>
    </message>
    <message>
        <source>Higher</source>
        <translation>Más agudo</translation>
    </message>
</context>
<context>
    <name>ovra::OvraSettings</name>
    <message>
        <source>Options</source>
        <translation>Opciones</translation>
    </message>
    <message>
        <source>Less sensitive</source>
        <translation>Menos sensible</translation>
    </message>
    <message>
        <source>More sensitive</source>
        <translation>Más sensible</translation>
    </message>
    <message>
        <source>Fine tuning</source>
        <extracomment>Readings in tenths of a cent; the row also shows &quot;0.1 ¢&quot;. Keep it short.</extracomment>
        <translation>Precisión</translation>
    </message>
    <message>
        <source>Reset to default values</source>
        <translation>Restablecer todo</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Acerca de</translation>
    </message>
    <message>
        <source>Volume sensitivity</source>
        <translation>Sensibilidad</translation>
    </message>
    <message>
        <source>Reactivity</source>
        <translation>Respuesta</translation>
    </message>
    <message>
        <source>Tuning</source>
        <translation>Afinación</translation>
    </message>
    <message>
        <source>Reference pitch</source>
        <translation>La de referencia</translation>
    </message>
    <message>
        <source>Low</source>
        <extracomment>Reactivity of the needle: calm, follows slowly.</extracomment>
        <translation>Tranquila</translation>
    </message>
    <message>
        <source>High</source>
        <extracomment>Reactivity of the needle: lively, follows fast.</extracomment>
        <translation>Rápida</translation>
    </message>
    <message>
        <source>Visit web site</source>
        <translation>Visitar el sitio web</translation>
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
        <translation>OvraTuner versión %1

Programación:
Los desarrolladores de OvraTuner

Gráficos:
Los desarrolladores de OvraTuner

%2
%3</translation>
    </message>
    <message>
        <source>About OvraTuner</source>
        <translation>Acerca de OvraTuner</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>Aceptar</translation>
    </message>
    <message>
        <source>Reset settings?</source>
        <translation>¿Restablecer los ajustes?</translation>
    </message>
    <message>
        <source>This will reset the settings to their default values.  Proceed?</source>
        <translation>Todos los ajustes volverán a sus valores de fábrica. ¿Continuar?</translation>
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
        <translation>Afinación</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
</context>
</TS>
