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
