// The converter runs in a worker made from the page's own copy of its script (no file is fetched,
// so the page works opened from disk): one board at a time, the others wait their turn. Cancel
// ends the worker; the next board gets a new one.

export class Converter {
    constructor(source) {
        this.url = URL.createObjectURL(new Blob([source], { type: "text/javascript" }));
        this.worker = null;
        this.waiting = [];
        this.running = null;
    }

    // A board to convert: onProgress(caption, done, total) follows it. Returns the job: its
    // result (a promise of the worker's answer, or of null when cancelled) and its cancel().
    convert(name, bytes, onProgress) {
        const job = { name, bytes, onProgress };
        job.result = new Promise((resolve) => {
            job.resolve = resolve;
        });
        job.cancel = () => this.cancel(job);
        this.waiting.push(job);
        this.next();
        return job;
    }

    cancel(job) {
        const index = this.waiting.indexOf(job);
        if (index >= 0) {
            this.waiting.splice(index, 1);
        } else if (job === this.running) {
            this.stopWorker();
        } else {
            return;
        }
        job.resolve(null);
        this.next();
    }

    stopWorker() {
        if (this.worker) {
            this.worker.terminate();
        }
        this.worker = null;
        this.running = null;
    }

    ensureWorker() {
        if (this.worker) {
            return this.worker;
        }
        const worker = new Worker(this.url);
        worker.onmessage = (event) => this.answer(event.data);
        // A failure the program could not answer itself (the worker stopped): the board's
        // status is the program's for a failure inside, and the worker is made again.
        worker.onerror = (event) => {
            event.preventDefault();
            const job = this.running;
            this.stopWorker();
            if (job) {
                job.resolve({ name: job.name, status: 7, documents: {}, summary: "",
                              errors: `corvane-import: internal failure: ${event.message || "the converter stopped"}\n` });
            }
            this.next();
        };
        this.worker = worker;
        return worker;
    }

    answer(message) {
        const job = this.running;
        if (!job) {
            return;
        }
        if (message.kind === "progress") {
            job.onProgress(message.caption, message.done, message.total);
            return;
        }
        this.running = null;
        job.resolve(message);
        this.next();
    }

    next() {
        if (this.running || this.waiting.length === 0) {
            return;
        }
        const job = this.waiting.shift();
        this.running = job;
        job.onProgress("Starting", 0, 0);
        this.ensureWorker().postMessage({ name: job.name, bytes: job.bytes }, [job.bytes]);
    }
}
